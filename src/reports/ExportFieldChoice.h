#pragma once

#include <QString>
#include <vector>

namespace ostrapel {

class RecordCatalogue;

// One check list of the export wizard: the fields of one record kind that may
// be exported, which of them are checked and in what order.
class ExportFieldChoice {
public:
    struct Item {
        QString name;
        QString caption;
        QString description;
        bool checked = false;
    };

    // `kind` is "10" or "50"; `stored` the earlier result ("1002;1003;ID04").
    ExportFieldChoice(const RecordCatalogue& catalogue, const QString& kind, const QString& stored);

    std::vector<Item> items;
    int current = 0; // the selected item

    bool canMoveUp() const { return !items.empty() && current > 0; }
    bool canMoveDown() const { return !items.empty() && current < int(items.size()) - 1; }
    void moveUp();
    void moveDown();
    // The checked fields in list order, joined by ";".
    QString result() const;

private:
    void apply(const QString& stored);
};

} // namespace ostrapel
