// The real boxes and file dialogs: Qt's own texts in Russian, the program's title, and the file
// dialog set up from its description (filters shown once, the extension following the filter).

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/QtFileDialog.h"
#include "app/Translations.h"
#include "app/UserDialogs.h"

using namespace qm::app;

namespace
{

const QString kTitle = QStringLiteral("Программа для работы с весами QM ver.1.6");

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// Runs `act` on the modal box as soon as it shows.
void whenBoxShows(std::function<void(QMessageBox&)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(*box);
        }
    });
    poll->start();
}

class StandardDialogs : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(installTranslations(*qApp)) << "Qt's Russian catalogue is installed"; }
};

TEST_F(StandardDialogs, StandardButtonsSpeakRussian)
{
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    EXPECT_EQ(withoutMnemonic(buttons.button(QDialogButtonBox::Yes)->text()), "Да");
    EXPECT_EQ(withoutMnemonic(buttons.button(QDialogButtonBox::No)->text()), "Нет");
    EXPECT_EQ(withoutMnemonic(buttons.button(QDialogButtonBox::Cancel)->text()), "Отмена");
}

TEST_F(StandardDialogs, QuestionBoxCarriesTheTitleAndRussianButtons)
{
    QWidget window;
    MessageBoxDialogs boxes(&window);
    QString title, text;
    QStringList buttons;
    whenBoxShows([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        for (QAbstractButton* b : box.buttons())
            buttons << withoutMnemonic(b->text());
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(boxes.ask("Сохранить ?\r\nДа или нет", qm::Buttons::YesNoCancel), qm::Answer::No);
    EXPECT_EQ(title, kTitle);
    EXPECT_EQ(text, "Сохранить ?\nДа или нет");
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"Да", "Нет", "Отмена"}));

    whenBoxShows([&](QMessageBox& box) {
        title = box.windowTitle();
        box.button(QMessageBox::Ok)->click();
    });
    boxes.error("Ошибка");
    EXPECT_EQ(title, kTitle);
}

// Every box is made alike, so its buttons sit in one place: centred under the text, with no icon
// beside it but the error box's.
TEST_F(StandardDialogs, EveryBoxPutsItsButtonsInOnePlace)
{
    QWidget window;
    MessageBoxDialogs boxes(&window);
    const struct {
        const char* name;
        std::function<void()> show;
        QMessageBox::Icon icon;
    } cases[] = {
        {"message", [&] { boxes.message("Данные приняты."); }, QMessageBox::NoIcon},
        {"yes/no", [&] { boxes.ask("ВНИМАНИЕ !\r\nПродолжить ?", qm::Buttons::YesNo); }, QMessageBox::NoIcon},
        {"yes/no/cancel", [&] { boxes.ask("Сохранить ?", qm::Buttons::YesNoCancel); }, QMessageBox::NoIcon},
        {"error", [&] { boxes.error("Ошибка"); }, QMessageBox::Critical},
    };
    for (const auto& c : cases) {
        QMessageBox::Icon icon = QMessageBox::Warning;
        bool centred = false;
        whenBoxShows([&](QMessageBox& box) {
            icon = box.icon();
            const auto* row = box.findChild<QDialogButtonBox*>();
            centred = row && row->centerButtons();
            box.buttons().last()->click();
        });
        c.show();
        EXPECT_EQ(icon, c.icon) << c.name;
        EXPECT_TRUE(centred) << c.name;
    }
}

TEST_F(StandardDialogs, ProductSaveDialogShowsEachFilterOnceAndItsExtensionFollowsTheFilter)
{
    apptest::StartDirectory dir;
    qm::FileDialogSetup setup = qm::PluSaveDialog();
    setup.directory = dir.path();
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    prepareFileDialog(dialog, setup, QFileDialog::AcceptSave);

    EXPECT_EQ(dialog.windowTitle(), kTitle);
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"товары(*.pl6)", "товары(*.plu)"}));
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), "товары(*.pl6)");
    EXPECT_EQ(types->itemText(1), "товары(*.plu)");
    EXPECT_EQ(dialog.defaultSuffix(), "pl6");
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "noname01");

    // The user picks the .plu entry and types a name without an extension.
    QTest::keyClick(types, Qt::Key_Down);
    ASSERT_EQ(types->currentIndex(), 1);
    EXPECT_EQ(dialog.defaultSuffix(), "plu");
    name->setText(QStringLiteral("old"));
    QMetaObject::invokeMethod(&dialog, "accept");
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const auto chosen = chosenFile(dialog, setup);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->path, dir / "old.plu");
    EXPECT_EQ(chosen->filterIndex, 2);

    QTest::keyClick(types, Qt::Key_Up);
    EXPECT_EQ(dialog.defaultSuffix(), "pl6") << "back to the first entry";
}

} // namespace
