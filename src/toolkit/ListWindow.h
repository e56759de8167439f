#pragma once

#include "store/RecordContext.h"
#include "toolkit/ListDecl.h"

#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class QMdiArea;
class QMenu;
class QPushButton;
class QTabBar;

namespace store {
class Store;
class TableUse;
} // namespace store

namespace toolkit {

class KeyListModel;
class ListBox;

// A list window built from its declaration: tabs choosing the order, the list, and the
// buttons (also on the list's right-click menu, enabled alike). Forms it opens are followed
// by a reload on the record they added or changed. Its place, size and column widths are
// kept in the window-position file.
class ListWindow final : public QWidget {
    Q_OBJECT

public:
    // A window with its own record context.
    ListWindow(const ListDecl &decl, store::Store &store, QWidget *parent = nullptr);
    // A picker working in the caller's context, where it leaves the chosen record.
    ListWindow(const ListDecl &decl, store::RecordContext &callerContext,
               QWidget *parent = nullptr);
    ~ListWindow() override;

    // Wide enough for all its columns, as far as a first showing should go.
    QSize sizeHint() const override;
    store::RecordContext &context() const { return m_ctx; }
    ListBox *list() const { return m_list; }
    QPushButton *button(Action action) const;
    // The button of this text (as declared), or nullptr.
    QPushButton *button(const char *text) const;
    // Presses the button the way a click or its menu item does.
    void press(const ButtonDecl &button);
    // Keeps the window's place, size and column widths; done when it closes.
    void savePlace();
    // Puts the window back where it was kept: done when it opens, and again once it has been
    // put into the frame it is shown in.
    void restorePlace();

    int currentTab() const;
    // Chooses the tab (which reloads the list in its order, as a click on it does).
    void selectTab(int tab);
    void setTabTitle(int tab, const QString &title);
    // Reads the rows again, keeping the highlighted record where it is still listed.
    void reload();

signals:
    void finished(store::Response response);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    int columnWidth(const ColumnDecl &column) const;
    void updateButtons();
    void showMenu(const QPoint &at);
    void addMenuItems(QMenu *menu, const std::vector<MenuDecl> &items);
    void chooseTab(int tab);
    void activate();
    void runCustom(const ButtonAction &action);
    void openForm(store::Request request, bool copy = false);
    void reload(const store::Record *at);
    void finish(store::Response response);

    const ListDecl m_decl; // its own copy: lists made for one use need not outlive their windows
    std::unique_ptr<store::RecordContext> m_own;
    store::RecordContext &m_ctx;
    std::unique_ptr<store::TableUse> m_table;
    std::vector<std::unique_ptr<store::TableUse>> m_otherTables;
    KeyListModel *m_model = nullptr;
    ListBox *m_list = nullptr;
    QTabBar *m_tabs = nullptr;
    std::map<const ButtonDecl *, QPushButton *> m_buttons;
    bool m_finished = false;
    int m_columnsWidth = 0;
};

// Shows a picker modally over the parent; the chosen record is left current in the context.
store::Response pick(const ListDecl &decl, store::RecordContext &ctx, QWidget *parent = nullptr);
// Opens a list window, with its own record context, as a child window of the frame's area.
ListWindow *showInArea(const ListDecl &decl, store::Store &store, QMdiArea *area);
// Shows a list window made by the caller as a child window of the frame's area, or as a
// window of its own when there is none; it is deleted when it closes.
void showList(ListWindow *list, QMdiArea *area);
// Shows a list window modally over the parent, with its own record context, until it closes.
void showModally(const ListDecl &decl, store::Store &store, QWidget *parent = nullptr);

} // namespace toolkit
