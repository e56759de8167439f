#include "toolkit/ListWindow.h"

#include "store/Connection.h"
#include "store/Dates.h"
#include "store/MessagePresenter.h"
#include "store/OpenTable.h"
#include "store/RecordIo.h"
#include "store/Store.h"
#include "store/Tables.h"
#include "toolkit/KeyListModel.h"
#include "toolkit/ListBox.h"
#include "toolkit/RecordForm.h"
#include "toolkit/WindowPositions.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

namespace toolkit {

namespace {

QString text(const char *s)
{
    return QString::fromLatin1(s);
}

constexpr int MaxFirstWidth = 900;

bool needsRecord(const ButtonDecl &b)
{
    return b.action == Action::Copy || b.action == Action::Change || b.action == Action::Delete ||
           b.action == Action::Select || b.needsRecord;
}

} // namespace

int ListWindow::columnWidth(const ColumnDecl &column) const
{
    const QFontMetrics metrics = m_list->view()->fontMetrics();
    constexpr int Padding = 16;
    int width = column.chars * metrics.averageCharWidth();
    width = std::max(width, metrics.horizontalAdvance(text(column.title)));
    if (column.show == Show::Date || column.show == Show::DatePicture ||
        column.show == Show::Time) {
        // The widest the column's dates or times get in the format now in use.
        store::Record sample(store::tableDef(m_decl.table));
        sample.setNumber(column.field, column.show == Show::Time
                                           ? store::dates::timeValue(QTime(22, 59))
                                           : store::dates::dayNumber(QDate(2000, 9, 30)));
        width = std::max(width, metrics.horizontalAdvance(columnText(sample, column)));
    }
    return width + Padding;
}

ListWindow::ListWindow(const ListDecl &decl, store::Store &store, QWidget *parent)
    : QWidget(parent), m_decl(decl), m_own(std::make_unique<store::RecordContext>(store)),
      m_ctx(*m_own)
{
    build();
}

ListWindow::ListWindow(const ListDecl &decl, store::RecordContext &callerContext, QWidget *parent)
    : QWidget(parent), m_decl(decl), m_ctx(callerContext)
{
    build();
}

ListWindow::~ListWindow() = default;

void ListWindow::build()
{
    setObjectName(text(m_decl.procedure));
    setWindowTitle(text(m_decl.caption));
    m_table = std::make_unique<store::TableUse>(m_ctx, m_decl.table);
    for (store::TableId id : m_decl.otherTables)
        m_otherTables.push_back(std::make_unique<store::TableUse>(m_ctx, id));

    m_model = new KeyListModel(m_ctx, m_decl.table, m_decl.columns, this);
    m_list = new ListBox(m_model, this);
    m_tabs = new QTabBar(this);
    m_tabs->setExpanding(false);
    for (const TabDecl &tab : m_decl.tabs)
        m_tabs->addTab(tab.title ? text(tab.title) : QString());
    m_tabs->setVisible(m_decl.tabs.size() > 1 || m_decl.tabs.front().title);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const ButtonDecl &b : m_decl.buttons) {
        auto *button = new QPushButton(text(b.text), this);
        if (b.tip)
            button->setToolTip(text(b.tip));
        connect(button, &QPushButton::clicked, this, [this, &b] { press(b); });
        buttons->addWidget(button);
        m_buttons[&b] = button;
    }

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_list, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    QHeaderView *header = m_list->view()->horizontalHeader();
    int columnsWidth = 0;
    for (int c = 0; c < int(m_decl.columns.size()); ++c) {
        header->resizeSection(c, columnWidth(m_decl.columns[std::size_t(c)]));
        columnsWidth += header->sectionSize(c);
    }
    // A window never placed before opens wide enough for all its columns, within reason.
    const int margins = 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                        layout->contentsMargins().left() + layout->contentsMargins().right() + 8;
    m_columnsWidth = std::min(columnsWidth + margins, MaxFirstWidth);
    restorePlace();

    m_list->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list->view(), &QWidget::customContextMenuRequested, this, &ListWindow::showMenu);
    connect(m_list, &ListBox::highlightChanged, this, &ListWindow::updateButtons);
    connect(m_list, &ListBox::activated, this, &ListWindow::activate);
    connect(m_list, &ListBox::insertPressed, this, [this] {
        if (QPushButton *b = button(Action::Insert))
            b->click();
    });
    connect(m_list, &ListBox::deletePressed, this, [this] {
        if (QPushButton *b = button(Action::Delete); b && b->isEnabled())
            b->click();
    });
    connect(m_tabs, &QTabBar::currentChanged, this, &ListWindow::chooseTab);

    if (m_table->isOpen())
        chooseTab(0);
    m_list->view()->setFocus();
}

QSize ListWindow::sizeHint() const
{
    QSize hint = QWidget::sizeHint();
    hint.setWidth(std::max(hint.width(), m_columnsWidth));
    return hint;
}

QPushButton *ListWindow::button(Action action) const
{
    for (const auto &[decl, widget] : m_buttons) {
        if (decl->action == action)
            return widget;
    }
    return nullptr;
}

QPushButton *ListWindow::button(const char *buttonText) const
{
    for (const auto &[decl, widget] : m_buttons) {
        if (qstrcmp(decl->text, buttonText) == 0)
            return widget;
    }
    return nullptr;
}

void ListWindow::updateButtons()
{
    const bool hasRecord = m_list->highlighted() != nullptr;
    for (const auto &[decl, widget] : m_buttons) {
        if (needsRecord(*decl))
            widget->setEnabled(hasRecord);
        if (decl->tab >= 0)
            widget->setVisible(decl->tab == currentTab());
    }
}

void ListWindow::showMenu(const QPoint &at)
{
    // Undeclared, the menu is every button but Close.
    std::vector<MenuDecl> twins;
    for (const ButtonDecl &b : m_decl.buttons) {
        if (b.action != Action::Close)
            twins.push_back({b.text, true});
    }
    const std::vector<MenuDecl> &items = m_decl.menu.empty() ? twins : m_decl.menu;
    QMenu menu(this);
    addMenuItems(&menu, items);
    menu.exec(m_list->view()->viewport()->mapToGlobal(at));
}

void ListWindow::addMenuItems(QMenu *menu, const std::vector<MenuDecl> &items)
{
    const bool hasRecord = m_list->highlighted() != nullptr;
    for (const MenuDecl &item : items) {
        if (!item.text) {
            menu->addSeparator();
        } else if (!item.items.empty()) {
            QMenu *sub = menu->addMenu(text(item.text));
            sub->setEnabled(!item.needsRecord || hasRecord);
            addMenuItems(sub, item.items);
        } else if (item.likeButton) {
            // A button the chosen tab does not show is not offered either.
            QPushButton *twin = button(item.text);
            if (!twin || twin->isHidden())
                continue;
            QAction *action = menu->addAction(text(item.text));
            action->setEnabled(twin->isEnabled());
            connect(action, &QAction::triggered, twin, &QPushButton::click);
        } else {
            QAction *action = menu->addAction(text(item.text));
            action->setEnabled(item.custom && (!item.needsRecord || hasRecord));
            connect(action, &QAction::triggered, this, [this, &item] { runCustom(item.custom); });
        }
    }
}

int ListWindow::currentTab() const
{
    return m_tabs->currentIndex();
}

void ListWindow::selectTab(int tab)
{
    if (tab == currentTab())
        chooseTab(tab);
    else
        m_tabs->setCurrentIndex(tab);
}

void ListWindow::setTabTitle(int tab, const QString &title)
{
    m_tabs->setTabText(tab, title);
}

void ListWindow::reload()
{
    const std::optional<store::Record> current =
        m_list->highlighted() ? std::optional<store::Record>(*m_list->highlighted()) : std::nullopt;
    reload(current ? &*current : nullptr);
}

void ListWindow::chooseTab(int tab)
{
    if (tab < 0 || tab >= int(m_decl.tabs.size()))
        return;
    const TabDecl &t = m_decl.tabs[std::size_t(tab)];
    m_model->setOrder(t.key, t.filter);
    reload();
}

void ListWindow::reload(const store::Record *at)
{
    m_list->reloadAt(at);
    if (!m_model->lastError().ok()) {
        m_ctx.messages().show(36, store::argsFor(m_decl.table, m_model->lastError()));
    }
    updateButtons();
}

void ListWindow::activate()
{
    for (Action action : {Action::Change, Action::Select}) {
        if (QPushButton *b = button(action); b && b->isEnabled()) {
            b->click();
            return;
        }
    }
}

void ListWindow::press(const ButtonDecl &b)
{
    switch (b.action) {
    case Action::Insert:
        openForm(store::Request::Insert);
        break;
    case Action::Copy:
        openForm(store::Request::Insert, true);
        break;
    case Action::Change:
        openForm(store::Request::Change);
        break;
    case Action::Delete:
        openForm(store::Request::Delete);
        break;
    case Action::Select:
        if (const store::Record *chosen = m_list->highlighted()) {
            m_ctx.record(m_decl.table) = *chosen;
            finish(store::Response::Completed);
        }
        break;
    case Action::Close:
        finish(store::Response::Cancelled);
        break;
    case Action::Custom:
        runCustom(b.custom);
        break;
    }
}

void ListWindow::runCustom(const ButtonAction &action)
{
    if (action)
        action(this, m_ctx);
    reload();
}

void ListWindow::openForm(store::Request request, bool copy)
{
    if (!m_decl.form && !m_decl.runForm)
        return;
    store::Record &current = m_ctx.record(m_decl.table);
    if (request == store::Request::Insert && !copy) {
        current.clear();
        if (m_decl.primeInsert)
            m_decl.primeInsert(currentTab(), current);
    } else {
        const store::Record *chosen = m_list->highlighted();
        if (!chosen)
            return;
        // Read it afresh: the form watches it from here for changes made by others.
        const store::StoreError e =
            store::fetchRecord(*m_ctx.connection(m_decl.table), chosen->position(), &current);
        if (!e.ok()) {
            m_ctx.messages().show(35, store::argsFor(m_decl.table, e));
            reload(chosen);
            return;
        }
    }
    m_ctx.request = request;
    const store::Response response =
        m_decl.runForm ? m_decl.runForm(m_ctx, this) : RecordForm::run(*m_decl.form, m_ctx, this);
    // After a completed form the list shows the record it added or changed (or, for a
    // delete, the one that took its place); otherwise the one highlighted before.
    const store::Record at = response == store::Response::Completed || !m_list->highlighted()
                                 ? current
                                 : *m_list->highlighted();
    reload(&at);
}

void ListWindow::finish(store::Response response)
{
    m_ctx.response = response;
    m_finished = true;
    emit finished(response);
    placedWidget(this)->close();
}

void ListWindow::restorePlace()
{
    const WindowPositions positions(m_ctx.store().folder());
    m_list->view()->horizontalHeader()->restoreState(positions.columns(text(m_decl.procedure), 1));
    positions.restore(placedWidget(this), text(m_decl.procedure), true);
}

void ListWindow::savePlace()
{
    const WindowPositions positions(m_ctx.store().folder());
    positions.save(placedWidget(this), text(m_decl.procedure));
    positions.setColumns(text(m_decl.procedure), 1,
                         m_list->view()->horizontalHeader()->saveState());
}

void ListWindow::closeEvent(QCloseEvent *event)
{
    if (!m_finished)
        m_ctx.response = store::Response::Cancelled;
    savePlace();
    QWidget::closeEvent(event);
}

namespace {

// Runs a list window in a modal dialog until it finishes or the dialog is closed.
bool runInDialog(QDialog &dialog, ListWindow *list)
{
    dialog.setWindowTitle(list->windowTitle());
    auto *layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    QObject::connect(list, &ListWindow::finished, &dialog, [&dialog](store::Response r) {
        dialog.done(r == store::Response::Completed ? QDialog::Accepted : QDialog::Rejected);
    });
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!accepted)
        list->savePlace();
    return accepted;
}

} // namespace

store::Response pick(const ListDecl &decl, store::RecordContext &ctx, QWidget *parent)
{
    QDialog dialog(parent);
    ctx.response = store::Response::None;
    if (!runInDialog(dialog, new ListWindow(decl, ctx, &dialog)))
        ctx.response = store::Response::Cancelled;
    return ctx.response;
}

ListWindow *showInArea(const ListDecl &decl, store::Store &store, QMdiArea *area)
{
    auto *list = new ListWindow(decl, store);
    showList(list, area);
    return list;
}

void showList(ListWindow *list, QMdiArea *area)
{
    list->setAttribute(Qt::WA_DeleteOnClose);
    if (!area) {
        list->show();
        return;
    }
    QMdiSubWindow *frame = area->addSubWindow(list);
    frame->setWindowTitle(list->windowTitle());
    frame->setMinimumSize(list->minimumSize());
    list->restorePlace();
    frame->show();
}

void showModally(const ListDecl &decl, store::Store &store, QWidget *parent)
{
    QDialog dialog(parent);
    runInDialog(dialog, new ListWindow(decl, store, &dialog));
}

} // namespace toolkit
