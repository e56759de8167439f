// A window whose title the tests choose: test_window TITLE [--hidden]. It says "ready" once
// shown (or shown and hidden again), "focus" when its line edit gets the focus, "key Return"
// and "key Tab" for those keys, and on closing "closed" with the text typed into it.
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

void say(const QByteArray &line)
{
    std::printf("%s\n", line.constData());
    std::fflush(stdout);
}

class TestWindow final : public QWidget {
public:
    explicit TestWindow(const QString &title)
    {
        setWindowTitle(title);
        auto *layout = new QVBoxLayout(this);
        m_edit = new QLineEdit(this);
        layout->addWidget(m_edit);
        resize(300, 80);
        m_edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_edit && event->type() == QEvent::FocusIn)
            say("focus");
        if (watched == m_edit && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return)
                say("key Return");
            else if (key == Qt::Key_Tab)
                say("key Tab");
        }
        return QWidget::eventFilter(watched, event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        say("closed text=" + m_edit->text().toUtf8());
        event->accept();
    }

private:
    QLineEdit *m_edit;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    TestWindow window(args.value(1, QStringLiteral("Test Window")));
    window.show();
    const bool hidden = args.contains(QStringLiteral("--hidden"));
    QTimer::singleShot(200, &window, [&window, hidden] {
        if (hidden)
            window.hide();
        say("ready " + QByteArray::number(qulonglong(window.winId())));
    });
    return app.exec();
}
