#pragma once

#include "store/MessagePresenter.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// Answers standard messages from a script and remembers what was shown. Unscripted messages
// get their default button, as a user pressing Enter would.
class ScriptedPresenter final : public store::MessagePresenter {
public:
    void answerNext(store::Button answer) { m_answers.push_back(answer); }
    // Called as each message is shown, before it is answered: lets a test act "while the user
    // reads the message".
    void onMessage(std::function<void(const store::StandardMessage &)> hook)
    {
        m_hook = std::move(hook);
    }

    store::Button present(const store::StandardMessage &message) override;
    void halt(const QString &text) override { m_halts << text; }

    const std::vector<store::StandardMessage> &shown() const { return m_shown; }
    QList<int> numbers() const;
    const QStringList &halts() const { return m_halts; }
    void clear();

private:
    std::deque<store::Button> m_answers;
    std::function<void(const store::StandardMessage &)> m_hook;
    std::vector<store::StandardMessage> m_shown;
    QStringList m_halts;
};
