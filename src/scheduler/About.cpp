#include "scheduler/About.h"

#include "scheduler/TrayIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace scheduler {

namespace {

// Catches a click without showing anything of itself.
class HiddenArea final : public QWidget {
public:
    HiddenArea(std::function<void()> clicked, QWidget *parent)
        : QWidget(parent), m_clicked(std::move(clicked))
    {
        setObjectName(QStringLiteral("windowTitlesArea"));
        setCursor(Qt::ArrowCursor);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && m_clicked)
            m_clicked();
    }

private:
    std::function<void()> m_clicked;
};

} // namespace

About::About(std::function<void()> openWindowTitles, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    auto *logo = new QLabel;
    logo->setPixmap(clockIcon(0).pixmap(64, 64));
    auto *title = new QLabel(QStringLiteral("<h2>Tallimer 97</h2>Version 1.5<br>"
                                            "A personal scheduler and organiser"));
    auto *close = new QPushButton(QStringLiteral("Cl&ose"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *top = new QHBoxLayout;
    top->addWidget(logo);
    top->addSpacing(12);
    top->addWidget(title, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Over the logo, on top of it, invisible.
    auto *area = new HiddenArea(std::move(openWindowTitles), this);
    area->setGeometry(0, 0, 80, 110);
    area->raise();
}

} // namespace scheduler
