#pragma once
// The logo: 64 × 64 dots, each set (black, printed) or clear (white). Dot (x, y) counts x from
// the left and y from the top, both 0..63; its linear index is y * 64 + x. The window draws it,
// the logo file and the scale keep it packed (logo/LogoCodec.h).

#include <bitset>

namespace qm
{

inline constexpr int kLogoSide = 64;
inline constexpr int kLogoDots = kLogoSide * kLogoSide;

class LogoPicture
{
  public:
    // A picture of clear dots: white, as the tab starts.
    LogoPicture() = default;

    static bool inside(int x, int y) { return x >= 0 && x < kLogoSide && y >= 0 && y < kLogoSide; }

    // False for a point outside the picture.
    bool dot(int x, int y) const { return inside(x, y) && m_dots[index(x, y)]; }
    bool dot(int i) const { return i >= 0 && i < kLogoDots && m_dots[static_cast<std::size_t>(i)]; }
    // A point outside the picture changes nothing.
    void setDot(int x, int y, bool set);
    // Turns a set dot clear and a clear one set; false, and nothing changed, outside the picture.
    bool toggle(int x, int y);
    void clear() { m_dots.reset(); }
    void fill() { m_dots.set(); }
    int setCount() const { return static_cast<int>(m_dots.count()); }

    bool operator==(const LogoPicture& other) const { return m_dots == other.m_dots; }
    bool operator!=(const LogoPicture& other) const { return !(*this == other); }

  private:
    static std::size_t index(int x, int y) { return static_cast<std::size_t>(y * kLogoSide + x); }

    std::bitset<kLogoDots> m_dots;
};

} // namespace qm
