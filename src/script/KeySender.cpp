#include "script/KeySender.h"

#include "platform/KeyInjector.h"
#include "script/KeyPlan.h"

#include <QEventLoop>
#include <QTimer>

namespace script {

namespace {

void waitHundredths(int hundredths)
{
    QEventLoop loop;
    QTimer::singleShot(hundredths * 10, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

void SendScriptKeys(const QString &keys, platform::KeyInjector &injector, int delayHundredths,
                    int burst, const KeyFeedback &feedback)
{
    const std::vector<KeyStep> steps = planKeys(keys, burst);
    for (const KeyStep &step : steps) {
        switch (step.kind) {
        case KeyStep::Pause:
            if (feedback.roundStarted)
                feedback.roundStarted();
            // Every round waits, also one that would end after midnight.
            waitHundredths(delayHundredths);
            break;
        case KeyStep::Text:
            injector.pressText(step.text);
            break;
        case KeyStep::Key:
            injector.pressKey(step.code);
            break;
        }
    }
    if (!steps.empty() && feedback.finished)
        feedback.finished();
}

} // namespace script
