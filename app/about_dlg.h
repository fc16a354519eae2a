// The about box: the program's icon, name and version, and OK.
#pragma once

#include <QDialog>

namespace mireto {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace mireto
