#include "app/ChooserBox.h"

#include <QKeyEvent>
#include <QStylePainter>

#include "app/KeyFilter.h"

namespace qm::app
{

ChooserBox::ChooserBox(const QString& name, QWidget* parent) : QComboBox(parent)
{
    setObjectName(name);
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    // Picking with the mouse, the arrow keys or the wheel: each of them activates an entry.
    connect(this, &QComboBox::textActivated, this, [this](const QString& text) {
        m_text = text;
        update();
        emit textChosen(text);
    });
}

void ChooserBox::setText(const QString& text)
{
    m_text = text;
    setCurrentIndex(findText(text));
    update();
}

void ChooserBox::selectIndex(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        m_text.clear();
    } else {
        setCurrentIndex(index);
        m_text = itemText(index);
    }
    update();
}

void ChooserBox::clearEntries()
{
    clear();
    update();
}

void ChooserBox::addEntry(const QString& entry)
{
    addItem(entry);
    // Adding to an empty list selects the first entry; the selection follows the shown text.
    setCurrentIndex(findText(m_text));
}

void ChooserBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = m_text;
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void ChooserBox::keyPressEvent(QKeyEvent* event)
{
    // Character keys would pick an entry by its first letter; the lists are picked from only.
    if (producesCharacter(*event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace qm::app
