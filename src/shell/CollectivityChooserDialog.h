#pragma once

#include "OpenList.h"

#include <QDialog>
#include <vector>

class QComboBox;

namespace ostrapel {

// "Kies Collectiviteit": a drop-down of every collectivity; each line carries
// its numbers and insurance type, so nothing is read back from the text.
class CollectivityChooserDialog : public QDialog {
    Q_OBJECT
public:
    explicit CollectivityChooserDialog(std::vector<CollectivityItem> items, QWidget* parent = nullptr);
    QComboBox* combo() const { return cbColl; }
    // The chosen collectivity, with an empty type name as the chooser gives it.
    CollectivityItem chosen() const;

private:
    QComboBox* cbColl;
    std::vector<CollectivityItem> items_;
};

} // namespace ostrapel
