#include "ScriptedPresenter.h"

store::Button ScriptedPresenter::present(const store::StandardMessage &message)
{
    m_shown.push_back(message);
    if (m_hook)
        m_hook(message);
    if (m_answers.empty())
        return message.defaultButton;
    const store::Button answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QList<int> ScriptedPresenter::numbers() const
{
    QList<int> numbers;
    for (const store::StandardMessage &m : m_shown)
        numbers << m.number;
    return numbers;
}

void ScriptedPresenter::clear()
{
    m_answers.clear();
    m_shown.clear();
    m_halts.clear();
    m_hook = nullptr;
}
