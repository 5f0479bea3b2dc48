#include "ImportViewRelay.h"

namespace ostrapel {

void ImportViewRelay::connectTo(ImportView& target, QObject* context) {
    ImportView* v = &target;
    connect(this, &ImportViewRelay::captionSet, context, [v](const QString& t) { v->setCaption(t); });
    connect(this, &ImportViewRelay::listEntryAdded, context, [v](const QString& t) { v->addListEntry(t); });
    connect(this, &ImportViewRelay::listEntryReplaced, context,
            [v](int index, const QString& t) { v->replaceListEntry(index, t); });
    connect(this, &ImportViewRelay::listCleared, context, [v] { v->clearList(); });
    connect(this, &ImportViewRelay::generalStatusSet, context,
            [v](const QString& t) { v->setGeneralStatus(t); });
    connect(this, &ImportViewRelay::statusSet, context, [v](const QString& t) { v->setStatus(t); });
    connect(this, &ImportViewRelay::fileProgressSet, context,
            [v](int p, int m) { v->setFileProgress(p, m); });
    connect(this, &ImportViewRelay::lineProgressSet, context,
            [v](int p, int m) { v->setLineProgress(p, m); });
    connect(this, &ImportViewRelay::counterPanelSet, context,
            [v](const QString& t) { v->setCounterPanel(t); });
    connect(this, &ImportViewRelay::okEnabledSet, context, [v](bool e) { v->setOkEnabled(e); });
    connect(this, &ImportViewRelay::busySet, context, [v](bool b) { v->setBusy(b); });
}

void ImportViewRelay::flush() {
    if (pendingLine_) emit lineProgressSet(pendingLine_->first, pendingLine_->second);
    if (pendingPanel_) emit counterPanelSet(*pendingPanel_);
    pendingLine_.reset();
    pendingPanel_.reset();
    sinceFlush_.start();
}

void ImportViewRelay::flushWhenDue() {
    if (!sinceFlush_.isValid() || sinceFlush_.elapsed() >= kIntervalMs) flush();
}

void ImportViewRelay::setCaption(const QString& text) {
    flush();
    emit captionSet(text);
}

int ImportViewRelay::addListEntry(const QString& text) {
    flush();
    emit listEntryAdded(text);
    return entries_++;
}

void ImportViewRelay::replaceListEntry(int index, const QString& text) {
    flush();
    emit listEntryReplaced(index, text);
}

void ImportViewRelay::clearList() {
    flush();
    entries_ = 0;
    emit listCleared();
}

void ImportViewRelay::setGeneralStatus(const QString& text) {
    flush();
    emit generalStatusSet(text);
}

void ImportViewRelay::setStatus(const QString& text) {
    flush();
    emit statusSet(text);
}

void ImportViewRelay::setFileProgress(int position, int maximum) {
    flush();
    emit fileProgressSet(position, maximum);
}

void ImportViewRelay::setLineProgress(int position, int maximum) {
    pendingLine_ = {position, maximum};
    flushWhenDue();
}

void ImportViewRelay::setCounterPanel(const QString& text) {
    pendingPanel_ = text;
    flushWhenDue();
}

void ImportViewRelay::setOkEnabled(bool enabled) {
    flush();
    emit okEnabledSet(enabled);
}

void ImportViewRelay::setBusy(bool busy) {
    flush();
    emit busySet(busy);
}

} // namespace ostrapel
