// Edits the font-play pages' settings: how many empty lines follow each clause (a
// slider and a one-digit box kept in step) and whether commas are dropped. The view
// hands a copy in and takes it back after OK.
#pragma once

#include "settings/records.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSlider;

namespace mireto {

class CFontPlaySettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFontPlaySettingsDlg(QWidget* parent = nullptr);

    void setSettings(FontPlaySettings settings);
    // The edited settings after OK; otherwise those it was given.
    FontPlaySettings getSettings() const { return m_settings; }

public slots:
    void accept() override;

private slots:
    void OnChangeDegree();
    void OnHScroll(int position);

private:
    FontPlaySettings m_settings;
    std::int32_t m_degree = 0;
    QSlider* m_slider;
    QLineEdit* m_degreeEdit;
    QCheckBox* m_deleteCommas;
};

} // namespace mireto
