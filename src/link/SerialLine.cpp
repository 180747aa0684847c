#include "link/SerialLine.h"

namespace qm
{

int baudRate(TBaud baud)
{
    static const int rates[] = {110,   300,   1200,  2400,  4800,   9600,   19200,
                                14400, 38400, 56000, 57600, 115200, 128000, 256000};
    return rates[static_cast<int>(baud)];
}

} // namespace qm
