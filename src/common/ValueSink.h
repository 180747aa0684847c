#pragma once
// Where a read operation puts the one record it receives (user settings, status, factory
// settings, totals, the logo), as TableSink is for rows. The command line and the tests hold the
// record in a ValueHolder; the window shows it in its fields on the user-interface thread.

#include <optional>

namespace qm
{

template <class T> class ValueSink
{
  public:
    virtual ~ValueSink() = default;
    // The record, decoded and whole; a failed read delivers nothing.
    virtual void deliver(const T& value) = 0;
    // The modified flag of what the record replaces, as the save-first question of a read sees it.
    virtual bool isModified() const { return false; }
};

// A sink that keeps the last record delivered. `modified`, when given, is the flag of what the
// record replaces: a delivery sets it.
template <class T> class ValueHolder : public ValueSink<T>
{
  public:
    explicit ValueHolder(bool* modified = nullptr) : m_modified(modified) {}
    void deliver(const T& value) override
    {
        m_value = value;
        if (m_modified)
            *m_modified = true;
    }
    bool isModified() const override { return m_modified && *m_modified; }

    bool holds() const { return m_value.has_value(); }
    // The record delivered, or a default one when none was.
    T value() const { return m_value.value_or(T{}); }

  private:
    std::optional<T> m_value;
    bool* m_modified;
};

} // namespace qm
