#pragma once

#include "store/RecordContext.h"

#include <QDialog>

class QComboBox;

namespace store {
class Store;
}

namespace scheduler {

class ScriptRunner;

// The options window. Its controls change the in-memory settings at once; OK makes them
// permanent, Cancel reads them back from the store. It also offers the housekeeping tasks.
class Setup final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *Section = "Setup";

    // Clearing the script queue is offered when there is one.
    explicit Setup(store::Store &store, ScriptRunner *scripts = nullptr, QWidget *parent = nullptr);
    ~Setup() override;

    void accept() override;
    void reject() override;

private:
    QWidget *buildTab(const char *tab);
    QWidget *buildHousekeeping();
    QWidget *controlFor(const char *setting, const char *label);
    QComboBox *dateFormatList();
    void resetWindowSettings();

    store::Store &m_store;
    ScriptRunner *m_scripts;
    store::RecordContext m_ctx;
    QString m_dateFormatWhenOpened;
};

} // namespace scheduler
