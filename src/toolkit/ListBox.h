#pragma once

#include <QTableView>
#include <QWidget>

class QScrollBar;

namespace store {
class Record;
}

namespace toolkit {

class KeyListModel;

// The table view of a list. It reports the keys a list acts on and hands typed text to the
// list's locator instead of searching the rows it happens to hold.
class KeyTableView final : public QTableView {
    Q_OBJECT

public:
    explicit KeyTableView(QWidget *parent = nullptr);
    void keyboardSearch(const QString &search) override;
    int visibleRows() const;
    using QTableView::updateGeometries;

signals:
    void typed(const QString &search);
    void toFirst();
    void toLast();
    void activated();
    void insertPressed();
    void deletePressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A list of a KeyListModel: it reads more rows as the view nears either end of what the model
// holds, and drops rows far from it. Its scroll bar stands for the whole table: its thumb is
// placed by key values, dragging it jumps there, and its ends go to the first and last rows.
class ListBox final : public QWidget {
    Q_OBJECT

public:
    ListBox(KeyListModel *model, QWidget *parent = nullptr);

    KeyTableView *view() const { return m_view; }
    KeyListModel *model() const { return m_model; }

    int highlightedRow() const;
    const store::Record *highlighted() const;
    void highlight(int row);
    // Refills the list around the record (or from the top) and highlights it, or the row that
    // took its place.
    void reloadAt(const store::Record *at);

signals:
    void highlightChanged();
    void activated();
    void insertPressed();
    void deletePressed();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void onScrolled();
    void onThumbAction(int action);
    void onTyped(const QString &search);
    void fillView();
    void updateThumb();

    KeyListModel *m_model;
    KeyTableView *m_view;
    QScrollBar *m_thumb;
    bool m_adjusting = false;
};

} // namespace toolkit
