#pragma once

#include <QDialog>

#include <functional>

namespace scheduler {

// The program's title and logo. A hidden area along its left side, over the logo, opens the
// list of window titles: the only way to it.
class About final : public QDialog {
    Q_OBJECT

public:
    explicit About(std::function<void()> openWindowTitles, QWidget *parent = nullptr);
};

} // namespace scheduler
