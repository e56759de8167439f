#pragma once

#include "store/MessagePresenter.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace toolkit {

// Shows the store's standard messages as modal message boxes over a window.
class MessageBoxPresenter final : public store::MessagePresenter {
public:
    // `endProgram` runs after the "Halt" box; by default the process exits at once, as a
    // program that cannot reach its data must not go on.
    explicit MessageBoxPresenter(QWidget *parent = nullptr,
                                 std::function<void()> endProgram = defaultEnd());

    store::Button present(const store::StandardMessage &message) override;
    void halt(const QString &text) override;

private:
    static std::function<void()> defaultEnd();

    QPointer<QWidget> m_parent;
    std::function<void()> m_endProgram;
};

} // namespace toolkit
