// Edits the text and background colours of the standard pages: each as "#RRGGBB"
// text with a swatch that follows it, or picked with the colour chooser. The view
// hands a copy in and takes it back after OK.
#pragma once

#include "settings/records.h"

#include <QDialog>

namespace mireto {

class ColourSwatch;
class SjisLineEdit;

class CStandardColoursDlg : public QDialog {
    Q_OBJECT
public:
    explicit CStandardColoursDlg(QWidget* parent = nullptr);

    void setSettings(StandardColours settings);
    // The edited colours after OK; otherwise those it was given.
    StandardColours getSettings() const { return m_settings; }

public slots:
    void accept() override;

private slots:
    void OnChangeTextColour();
    void OnChangeBackgroundColour();
    void OnBrowseTextColour();
    void OnBrowseBackgroundColour();

private:
    // One colour's edit, swatch and string, kept in step while the dialog is open.
    struct ColourControls {
        SjisLineEdit* edit;
        ColourSwatch* swatch;
        std::string* colour;
    };
    void followEdit(const ColourControls& controls);
    void browse(const ColourControls& controls);
    ColourControls textControls() { return {m_textEdit, m_textSwatch, &m_colours.textColour}; }
    ColourControls backgroundControls() {
        return {m_backgroundEdit, m_backgroundSwatch, &m_colours.backgroundColour};
    }

    StandardColours m_settings;
    StandardColours m_colours;
    SjisLineEdit* m_textEdit;
    ColourSwatch* m_textSwatch;
    SjisLineEdit* m_backgroundEdit;
    ColourSwatch* m_backgroundSwatch;
};

} // namespace mireto
