// Writes KEYCODES.TXT, the list of key names the script editor shows.
#include "script/KeyNames.h"

#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    out.write("Key names for Send Keystrokes\n"
              "\n"
              "Type plain text as it is. Put a key name in square brackets to send that key,\n"
              "for example [Enter], [Tab] or [AltF4]. Names are not case sensitive.\n"
              "[Pause] sends nothing and only waits one more interval. [[] types a [.\n"
              "A name that is not in this list is typed as text.\n"
              "\n"
              "Modifiers go in front of a name: Shift, Ctrl, Alt, CtrlShift, AltShift, CtrlAlt.\n"
              "The Mouse names click at the pointer; the names ending in 2 double-click.\n"
              "\n");
    for (const QString &name : script::keyNames())
        out.write(name.toLatin1() + '\n');
    return 0;
}
