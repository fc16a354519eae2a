// The OK and ｷｬﾝｾﾙ buttons that end each settings dialog.
#pragma once

class QDialog;
class QDialogButtonBox;

namespace mireto {

// Made as children of `dialog`, wired to its accept and reject.
QDialogButtonBox* makeOkCancelButtons(QDialog* dialog);

} // namespace mireto
