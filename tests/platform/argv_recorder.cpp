// Started by the tests in place of a real program: writes its arguments, working folder and
// nice value to the file named by TL97_RECORD, then stays up for the seconds named by
// TL97_LINGER (so a test can see it running).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    const char *record = std::getenv("TL97_RECORD");
    if (!record)
        return 2;
    const std::string staging = std::string(record) + ".part";
    FILE *out = std::fopen(staging.c_str(), "w");
    if (!out)
        return 3;
    char folder[4096] = {};
    if (!getcwd(folder, sizeof folder))
        folder[0] = '\0';
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    std::fprintf(out, "cwd=%s\nnice=%d\n", folder, nice);
    for (int i = 1; i < argc; ++i)
        std::fprintf(out, "arg=%s\n", argv[i]);
    std::fclose(out);
    // Appears complete or not at all.
    std::rename(staging.c_str(), record);
    if (const char *linger = std::getenv("TL97_LINGER"))
        sleep(unsigned(std::atoi(linger)));
    return 0;
}
