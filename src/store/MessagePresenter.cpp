#include "store/MessagePresenter.h"

namespace store {

Button MessagePresenter::show(int number, const MessageArgs &args)
{
    const StandardMessage message = standardMessage(number, args);
    const Button answer = present(message);
    if (message.haltsAfter(answer))
        halt(message.haltText);
    return answer;
}

} // namespace store
