#include "toolkit/ListBox.h"

#include "store/Dates.h"
#include "store/Pictures.h"
#include "store/Settings.h"
#include "store/Tables.h"
#include "toolkit/KeyListModel.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace toolkit {

namespace {

// A cell with a text colour of its own keeps it when its row is highlighted.
class OwnColourDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (const QVariant colour = index.data(Qt::ForegroundRole); colour.isValid())
            option->palette.setBrush(QPalette::HighlightedText, colour.value<QBrush>());
    }
};

constexpr int ThumbRange = 1000;
// How close to either end of the rows held the view may come before more are read.
constexpr int EdgeRows = 5;

// The typed text as a value of the key's leading field; false when it cannot be one.
bool setLeadingValue(store::Record &probe, int key, const QString &typed)
{
    const store::TableDef &def = probe.def();
    const int field = def.keys.at(key).components.front();
    switch (def.fields.at(field).type) {
    case store::FieldType::String:
    case store::FieldType::CString:
    case store::FieldType::Memo:
        probe.setText(field, typed);
        return true;
    case store::FieldType::Date: {
        const qint64 day = store::pictures::parseDate(typed, store::settings().dateFormat,
                                                      QDate::currentDate().year());
        probe.setNumber(field, day);
        return day != 0;
    }
    case store::FieldType::Time: {
        const qint64 time = store::pictures::parseTime(typed);
        probe.setNumber(field, time);
        return time != 0;
    }
    default: {
        bool ok = false;
        probe.setNumber(field, typed.trimmed().toLongLong(&ok));
        return ok;
    }
    }
}

} // namespace

KeyTableView::KeyTableView(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlternatingRowColors(true);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
}

void KeyTableView::keyboardSearch(const QString &search)
{
    emit typed(search);
}

int KeyTableView::visibleRows() const
{
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / rowHeight);
}

void KeyTableView::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Home:
        emit toFirst();
        return;
    case Qt::Key_End:
        emit toLast();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ctrl) {
            emit activated();
            return;
        }
        break;
    case Qt::Key_Insert:
        emit insertPressed();
        return;
    case Qt::Key_Delete:
        emit deletePressed();
        return;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

ListBox::ListBox(KeyListModel *model, QWidget *parent)
    : QWidget(parent), m_model(model), m_view(new KeyTableView(this)),
      m_thumb(new QScrollBar(Qt::Vertical, this))
{
    m_view->setModel(model);
    m_view->setItemDelegate(new OwnColourDelegate(m_view));
    m_thumb->setRange(0, ThumbRange);
    m_thumb->setPageStep(ThumbRange / 10);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_thumb);

    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, &ListBox::onScrolled);
    connect(m_thumb, &QScrollBar::actionTriggered, this, &ListBox::onThumbAction);
    connect(m_thumb, &QScrollBar::sliderReleased, this,
            [this] { highlight(m_model->showFraction(double(m_thumb->value()) / ThumbRange)); });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_adjusting && current.isValid())
                    m_view->scrollTo(current);
                onScrolled();
                emit highlightChanged();
            });
    connect(m_view, &KeyTableView::typed, this, &ListBox::onTyped);
    connect(m_view, &KeyTableView::toFirst, this, [this] { highlight(m_model->showFirst()); });
    connect(m_view, &KeyTableView::toLast, this, [this] { highlight(m_model->showLast()); });
    connect(m_view, &KeyTableView::activated, this, &ListBox::activated);
    connect(m_view, &QAbstractItemView::doubleClicked, this, &ListBox::activated);
    connect(m_view, &KeyTableView::insertPressed, this, &ListBox::insertPressed);
    connect(m_view, &KeyTableView::deletePressed, this, &ListBox::deletePressed);
}

int ListBox::highlightedRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

const store::Record *ListBox::highlighted() const
{
    const int row = highlightedRow();
    return row >= 0 && row < m_model->rowCount() ? &m_model->record(row) : nullptr;
}

void ListBox::highlight(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->setCurrentIndex(QModelIndex());
        updateThumb();
        emit highlightChanged();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    fillView();
    updateThumb();
}

void ListBox::reloadAt(const store::Record *at)
{
    const qint64 position = at ? at->position() : 0;
    int row = m_model->reload(at);
    if (position != 0) {
        const int exact = m_model->rowOf(position);
        row = exact >= 0 ? exact : row;
    }
    highlight(row);
}

void ListBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fillView();
    updateThumb();
}

void ListBox::fillView()
{
    // A page of rows may not fill a tall list: read on until it does.
    while (!m_model->atEnd() && m_model->rowCount() < m_view->visibleRows() + 2 * EdgeRows) {
        if (m_model->fetchAfter() == 0)
            break;
    }
    onScrolled();
}

void ListBox::onScrolled()
{
    if (m_adjusting)
        return;
    m_adjusting = true;
    QScrollBar *bar = m_view->verticalScrollBar();
    const int top = bar->value();
    const int rows = m_model->rowCount();
    const int current = highlightedRow();
    if ((top <= EdgeRows || (current >= 0 && current <= EdgeRows)) && !m_model->atStart()) {
        const int added = m_model->fetchBefore();
        m_view->updateGeometries();
        bar->setValue(top + added);
        if (m_model->rowCount() > KeyListModel::MostRows)
            m_model->trimBack(m_model->rowCount() - KeyListModel::MostRows);
    } else if ((top + m_view->visibleRows() >= rows - EdgeRows || current >= rows - EdgeRows) &&
               !m_model->atEnd()) {
        m_model->fetchAfter();
        if (m_model->rowCount() > KeyListModel::MostRows) {
            const int dropped = m_model->trimFront(m_model->rowCount() - KeyListModel::MostRows);
            m_view->updateGeometries();
            bar->setValue(std::max(0, top - dropped));
        }
    }
    m_adjusting = false;
    updateThumb();
}

void ListBox::onThumbAction(int action)
{
    QScrollBar *bar = m_view->verticalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case QAbstractSlider::SliderPageStepSub:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case QAbstractSlider::SliderToMinimum:
        highlight(m_model->showFirst());
        break;
    case QAbstractSlider::SliderToMaximum:
        highlight(m_model->showLast());
        break;
    default:
        return; // a drag: the jump comes when the thumb is let go
    }
    m_thumb->setSliderPosition(m_thumb->value());
}

void ListBox::onTyped(const QString &search)
{
    store::Record probe(store::tableDef(m_model->table()));
    if (!setLeadingValue(probe, m_model->key(), search))
        return;
    highlight(m_model->showKeyValues(probe));
}

void ListBox::updateThumb()
{
    const int rows = m_model->rowCount();
    const bool whole = m_model->atStart() && m_model->atEnd() && rows <= m_view->visibleRows();
    m_thumb->setVisible(!whole);
    const QSignalBlocker block(m_thumb);
    if (whole || rows == 0) {
        m_thumb->setValue(0);
        return;
    }
    const int top = std::clamp(m_view->verticalScrollBar()->value(), 0, rows - 1);
    const int bottom = std::min(rows - 1, top + m_view->visibleRows() - 1);
    const bool showsEnd = m_model->atEnd() && bottom == rows - 1;
    m_thumb->setValue(showsEnd ? ThumbRange : int(m_model->fractionAt(top) * ThumbRange));
}

} // namespace toolkit
