#include "logo/LogoPicture.h"

namespace qm
{

void LogoPicture::setDot(int x, int y, bool set)
{
    if (inside(x, y))
        m_dots[index(x, y)] = set;
}

bool LogoPicture::toggle(int x, int y)
{
    if (!inside(x, y))
        return false;
    m_dots.flip(index(x, y));
    return true;
}

} // namespace qm
