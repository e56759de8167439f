#include "store/StandardMessage.h"

#include "store/Tables.h"

namespace store {

namespace {

StandardMessage notice(int number, const char *caption, const QString &text)
{
    StandardMessage m;
    m.number = number;
    m.caption = QString::fromLatin1(caption);
    m.text = text;
    return m;
}

StandardMessage fatal(int number, const char *caption, const QString &text, const char *halt)
{
    StandardMessage m = notice(number, caption, text);
    m.haltText = QString::fromLatin1(halt);
    return m;
}

StandardMessage question(int number, const char *caption, const QString &text, Buttons buttons,
                         Button defaultButton)
{
    StandardMessage m = notice(number, caption, text);
    m.icon = Icon::Question;
    m.buttons = buttons;
    m.defaultButton = defaultButton;
    return m;
}

StandardMessage choice(int number, const char *caption, const QString &text, Buttons buttons,
                       Button defaultButton)
{
    StandardMessage m = notice(number, caption, text);
    m.buttons = buttons;
    m.defaultButton = defaultButton;
    return m;
}

QString invalidRequest(const char *operation, const char *operations)
{
    return QStringLiteral("This procedure was called to %1 a record, however %2 are not allowed "
                          "for this procedure.  Press OK to return to the calling procedure")
        .arg(QLatin1String(operation), QLatin1String(operations));
}

} // namespace

StandardMessage standardMessage(int number, const MessageArgs &a)
{
    const QString error = a.error.text();
    const QString &file = a.file;
    switch (number) {
    case 1:
        return fatal(1, "Invalid File",
                     QStringLiteral("Error: (%1) accessing %2.  Press OK to end this application.")
                         .arg(error, file),
                     "Invalid File!");
    case 2: {
        StandardMessage m = question(
            2, "Invalid Key",
            file + QStringLiteral(" key file is invalid.  Do you want to rebuild the key?"),
            Buttons::YesNo, Button::Yes);
        m.haltText = QStringLiteral("Invalid Key!");
        m.haltOn = Button::No;
        return m;
    }
    case 3:
        return fatal(
            3, "Key Rebuild Error",
            QStringLiteral("Error: (%1) repairing key for %2.  Press OK to end this application.")
                .arg(error, file),
            "Error Rebuilding Key!");
    case 4:
        return fatal(4, "File Creation Error",
                     QStringLiteral("Error: (%1) creating %2.  Press OK to end this application.")
                         .arg(error, file),
                     "File Creation Error!");
    case 5:
        return fatal(5, "File Creation Error",
                     QStringLiteral(
                         "Error: (%1) opening created file:%2.  Press OK to end this application.")
                         .arg(error, file),
                     "File Creation Error!");
    case 10:
        return notice(10, "Range Error",
                      QStringLiteral("The value of %1 must be between %2.").arg(a.field, a.range));
    case 12:
        return notice(12, "Referential Integrity Update Error",
                      QStringLiteral("This record is referenced from the file %1.  Linking "
                                     "field(s) have been restricted from change and have been "
                                     "reset to original values.")
                          .arg(file));
    case 13:
        return notice(13, "Referential Integrity Delete Error",
                      QStringLiteral("This record is referenced from the file %1.  This record "
                                     "cannot be deleted while these references exist.")
                          .arg(file));
    case 14:
        return notice(
            14, "Record Insert Error",
            QStringLiteral("An error was experienced during the update of record.  Error: %1.")
                .arg(error));
    case 15:
        if (a.error.ok() || a.error.is(ErrorCode::RecordChanged))
            return notice(15, "Update Operation Error",
                          QStringLiteral("This record was changed by another station."));
        return notice(15, "Update Operation Error",
                      QStringLiteral("An error (%1) was experienced when attempting to update a "
                                     "record from the file.  Probable Cause: %2.")
                          .arg(error, file));
    case 16:
        return choice(16, "Record Update Error",
                      QStringLiteral("An error was experienced changing this record.  Do you want "
                                     "to try to save again?"),
                      Buttons::YesNoCancel, Button::Cancel);
    case 17:
        return notice(17, "Delete Operation Error",
                      QStringLiteral("An error (%1) was experienced when attempting to delete a "
                                     "record from the file %2.")
                          .arg(error, file));
    case 18:
        return choice(18, "Record Update Error",
                      QStringLiteral("An error was experienced deleting this record.  Do you want "
                                     "to try to save again?"),
                      Buttons::YesNoCancel, Button::Cancel);
    case 19:
        return notice(19, "Invalid Request", invalidRequest("insert", "inserts"));
    case 20:
        return notice(20, "Invalid Request", invalidRequest("change", "changes"));
    case 21:
        return notice(21, "Invalid Request", invalidRequest("delete", "deletions"));
    case 24:
        return notice(24, "Duplicate Key Error",
                      QStringLiteral("Adding this record creates a duplicate entry for the key:") +
                          a.key);
    case 25:
        return choice(25, "Auto Increment Error",
                      QStringLiteral("Attempts to automatically number this record have failed.  "
                                     "Error: %1.")
                          .arg(error),
                      Buttons::RetryCancel, Button::Cancel);
    case 26:
        return notice(26, "File Load Error",
                      QStringLiteral("%1 File Load Error.  Error: %2.").arg(file, error));
    case 27:
        return question(27, "Cancel Request",
                        QStringLiteral("Are you certain you want to stop loading %1?").arg(file),
                        Buttons::OkCancel, Button::Cancel);
    case 28:
        return notice(28, "File Load Error",
                      file + QStringLiteral(" File Load Error.  The file you've requested "
                                            "contains no text."));
    case 29:
        if (a.alternate)
            return question(29, "Beginning of File Error",
                            QStringLiteral("The beginning of the viewed file was encountered.  Do "
                                           "you want to start again from the end of the file?"),
                            Buttons::YesNo, Button::Yes);
        return question(29, "End of File Error",
                        QStringLiteral("The end of the viewed file was encountered.  Do you want "
                                       "to start again from the beginning?"),
                        Buttons::YesNo, Button::Yes);
    case 30:
        return fatal(30, "File Access Error",
                     QStringLiteral("File (%1) could not be opened.  Error: %2.").arg(file, error),
                     "Disk Error");
    case 31:
        if (a.alternate)
            return notice(31, "Process DELETE Error",
                          QStringLiteral("An error was experienced when deleting a record from "
                                         "the %1 file.  Error: %2")
                              .arg(file, error));
        return notice(31, "Process PUT Error",
                      QStringLiteral("An error was experienced when making changes to the %1 "
                                     "file.  Error: %2")
                          .arg(file, error));
    case 32:
        return question(32, "Confirm Delete",
                        QStringLiteral("You've selected to delete the highlighted record.  Press "
                                       "OK to confirm deletion of this record."),
                        Buttons::OkCancel, Button::Cancel);
    case 34:
        return notice(34, "Transaction Framing Error",
                      QStringLiteral("Error: (%1) attempting to frame the %2 transaction on %3.  "
                                     "%4 transaction cancelled.")
                          .arg(error, a.op.toLower(), file, a.op));
    case 35:
        return notice(35, "Record Retrieval Error",
                      QStringLiteral("Error: (%1) attempting to access a record from the %2 "
                                     "file.  Returning to previous window.")
                          .arg(error, file));
    case 36:
        return notice(36, "View Open Error",
                      QStringLiteral("Error: (%1) attempting to open the current VIEW.\nFilter "
                                     "and Range Limits ignored.\n\nRelated File: %2")
                          .arg(error, file));
    case 38:
        return notice(38, "Record Was Not Updated",
                      QStringLiteral("This record was changed by another station. Those changes "
                                     "will now be displayed. Use the Ditto Button or Ctrl+' to "
                                     "recall your changes."));
    default:
        break;
    }
    Q_ASSERT_X(false, "standardMessage", "no such message");
    return notice(number, "Error", QStringLiteral("Message %1").arg(number));
}

MessageArgs argsFor(TableId id, const StoreError &e)
{
    MessageArgs args;
    args.error = e;
    args.file = QString::fromLatin1(tableDef(id).label);
    return args;
}

} // namespace store
