#pragma once

#include <Qt>

class QDialog;
class QDialogButtonBox;

namespace ostrapel {

// "OK" and "Annuleren", wired to accept and reject the dialog.
QDialogButtonBox* okCancelButtons(QDialog* dialog, Qt::Orientation orientation = Qt::Horizontal);

} // namespace ostrapel
