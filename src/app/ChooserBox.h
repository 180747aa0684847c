#pragma once
// A drop-down list the user picks from but cannot type into: the scale choosers, the logo
// chooser, the format and port lists. Its shown text is kept apart from the entry list, so a
// refill keeps the text even when it is no longer one of the entries, and the program may show
// a text that was never an entry (a format number read from a scale). Read it with text(), not
// with QComboBox::currentText().

#include <QComboBox>

namespace qm::app
{

class ChooserBox : public QComboBox
{
    Q_OBJECT
  public:
    explicit ChooserBox(const QString& name, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    // Selects entry `index` and shows its text; -1 selects nothing and shows no text.
    void selectIndex(int index);

    // The entry list; the shown text stays.
    void clearEntries();
    void addEntry(const QString& entry);

  signals:
    void textChosen(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString m_text;
};

} // namespace qm::app
