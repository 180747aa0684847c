#include "CommandTable.h"

#include "LogoHandlers.h"
#include "MessageHandlers.h"
#include "ProductHandlers.h"
#include "SettingsHandlers.h"
#include "StatusHandlers.h"
#include "TotalsHandlers.h"

namespace emu
{

namespace
{

const CommandEntry kCommands[] = {
    {0x82, 83, "write PLU", true, writePlu},
    {0x81, 4, "read PLU", false, readPlu},
    {0x8D, 4, "delete PLU", true, deletePlu},
    {0x87, 8, "set virtual range", true, setRange},
    {0x88, 0, "cancel virtual range", true, cancelRange},
    {0x84, 402, "write message", true, writeMessage},
    {0x83, 2, "read message", false, readMessage},
    {0x8E, 2, "delete message", true, deleteMessage},
    {0x95, 0, "read user settings", false, readUserSet},
    {0x8A, 9, "write user settings", true, writeUserSet},
    {0x98, 0, "read shop name", false, readShop},
    {0x94, 56, "write shop name", true, writeShop},
    {0x99, 6, "write date", true, writeDate},
    {0x9A, 6, "write time", true, writeTime},
    {0x89, 0, "read status", false, readStatus},
    {0x96, 1, "read price key", false, readPriceKey},
    {0x8B, 5, "write price key", true, writePriceKey},
    {0x9B, 0, "read factory settings", false, readFactory},
    {0x8C, 512, "write logo", true, writeLogo},
    {0x97, 0, "read logo", false, readLogo},
    {0x85, 0, "read general totals", false, readTotals},
    {0x92, 4, "clear PLU totals", true, clearTotalPlu},
    {0x86, 0, "clear grand total", true, clearTotal},
};

} // namespace

const CommandEntry* findCommand(std::uint8_t byte)
{
    for (const CommandEntry& entry : kCommands)
        if (entry.byte == byte)
            return &entry;
    return nullptr;
}

} // namespace emu
