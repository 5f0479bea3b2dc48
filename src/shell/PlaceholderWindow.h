#pragma once

#include "CollectivityChild.h"
#include "OpenList.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace ostrapel {

// Stands in for the collectivity window: a child with the collectivity caption.
class PlaceholderWindow : public QWidget, public CollectivityChild {
public:
    PlaceholderWindow(const CollectivityItem& item, const QString& caption, QWidget* parent = nullptr)
        : QWidget(parent), item_(item) {
        setWindowTitle(caption);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(caption, this));
        layout->addStretch();
    }
    int collNr() const override { return item_.CollNr; }
    int collVolgNr() const override { return item_.CollVolgNr; }
    int verzType() const override { return item_.VerzType; }

private:
    CollectivityItem item_;
};

} // namespace ostrapel
