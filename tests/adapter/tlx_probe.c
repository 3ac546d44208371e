/* Opens the adapter from a process of its own: exit status 0 when the port
 * opened (it is closed again at once), otherwise 10 + the last-error code.
 * Written in C, as a caller of the library's C interface. */
#include "adapter/TLX_K5.h"

int main(int argc, char** argv)
{
    const TlxPortSettings settings = {0, 4800, 8, 0};
    if (argc < 2)
        return 1;
    if (TLX_Init(argv[1], &settings) == 1) {
        TLX_Exit();
        return 0;
    }
    return 10 + TLX_ErrInfo();
}
