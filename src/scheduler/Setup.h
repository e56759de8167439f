#pragma once

#include "store/RecordContext.h"

#include <QDialog>

class QComboBox;

namespace store {
class Store;
}

namespace scheduler {

// The options window. Its controls change the in-memory settings at once; OK makes them
// permanent, Cancel reads them back from the store. It also offers the housekeeping tasks.
class Setup final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *Section = "Setup";

    explicit Setup(store::Store &store, QWidget *parent = nullptr);
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
    store::RecordContext m_ctx;
    QString m_dateFormatWhenOpened;
};

} // namespace scheduler
