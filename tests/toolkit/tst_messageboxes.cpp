#include "toolkit/MessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace store;
using toolkit::MessageBoxPresenter;

Q_DECLARE_METATYPE(store::Button)

class TestMessageBoxes final : public QObject {
    Q_OBJECT

private slots:
    void questionBox_data();
    void questionBox();
    void escapeChangesNothing();
    void haltShowsTheTextThenEnds();

private:
    // Runs `act` on the message box as soon as it is up.
    void whenBoxShows(std::function<void(QMessageBox *)> act);
};

void TestMessageBoxes::whenBoxShows(std::function<void(QMessageBox *)> act)
{
    QTimer::singleShot(0, this, [this, act] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            whenBoxShows(act);
            return;
        }
        act(box);
    });
}

void TestMessageBoxes::questionBox_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("click");
    QTest::addColumn<Button>("answer");
    QTest::newRow("Yes") << QMessageBox::Yes << Button::Yes;
    QTest::newRow("No") << QMessageBox::No << Button::No;
}

void TestMessageBoxes::questionBox()
{
    QFETCH(QMessageBox::StandardButton, click);
    QFETCH(Button, answer);
    MessageArgs args;
    args.file = "TL97\\!S";
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultButton;
    whenBoxShows([&](QMessageBox *box) {
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        QCOMPARE(box->buttons().size(), 2);
        box->button(click)->click();
    });
    MessageBoxPresenter presenter;
    QCOMPARE(presenter.present(standardMessage(2, args)), answer);
    QCOMPARE(caption, QString("Invalid Key"));
    QCOMPARE(text, QString("TL97\\!S key file is invalid.  Do you want to rebuild the key?"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(defaultButton, QString("&Yes"));
}

void TestMessageBoxes::escapeChangesNothing()
{
    whenBoxShows([](QMessageBox *box) {
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    MessageBoxPresenter presenter;
    QCOMPARE(presenter.present(standardMessage(16)), Button::Cancel);
}

void TestMessageBoxes::haltShowsTheTextThenEnds()
{
    QString caption;
    QString text;
    whenBoxShows([&](QMessageBox *box) {
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    bool ended = false;
    MessageBoxPresenter presenter(nullptr, [&] { ended = true; });
    presenter.halt("Disk Error");
    QCOMPARE(caption, QString("Halt"));
    QCOMPARE(text, QString("Disk Error"));
    QVERIFY(ended);
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
