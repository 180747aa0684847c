#include "app/tabs/LogoTab.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/FieldSink.h"
#include "app/LogoImage.h"
#include "app/ScaleRunner.h"
#include "app/UiThread.h"
#include "app/WindowSave.h"
#include "logo/LogoConvert.h"
#include "logo/LogoFileCommands.h"
#include "logo/LogoTransfer.h"
#include "logo/PictureFile.h"

namespace qm::app
{

namespace
{

constexpr int kTickStep = 5;
constexpr int kFieldScale = 5;

} // namespace

LogoTab::LogoTab(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context), m_scale(context, this)
{
    using Row = ToolRow<LogoTab>;
    constexpr ToolKind scale = ToolKind::Scale;
    m_scale.addCommands(
        this,
        {
            {"SpeedButton1", "Новый рисунок", ToolIcon::New, &LogoTab::SpeedButton1Click},
            {"SpeedButton2", "Открыть рисунок для редактирования", ToolIcon::Open, &LogoTab::SpeedButton2Click},
            {"SpeedButton3", "Сохранить рисунок", ToolIcon::Save, &LogoTab::SpeedButton3Click},
            {"SpeedButton4", "Открыть и конвертировать графический файл", ToolIcon::ConvertPicture,
             &LogoTab::SpeedButton4Click},
            Row::gap(),
            {"SpeedButton5", "Загрузить логотип в выбранные весы", ToolIcon::SendAll, &LogoTab::Button1Click, scale},
            {"SpeedButton6", "Прочитать логотип из выбранных весов", ToolIcon::ReadAll, &LogoTab::Button2Click, scale},
        });
    ChooserBox* chooser = m_scale.addChooser(1);

    m_image1 = new LogoImage(QStringLiteral("Image1"), kFieldScale, this);
    m_image1->setCursor(Qt::CrossCursor);
    m_image1->setOnRelease([this](int x, int y) { Image1MouseUp(x, y); });
    m_image2 = new LogoImage(QStringLiteral("Image2"), 1, this);

    QPushButton* write = makeButton(QStringLiteral("Button1"), QStringLiteral("Загрузить"),
                                    QStringLiteral("Загрузить выбранные весы"), this);
    QPushButton* read = makeButton(QStringLiteral("Button2"), QStringLiteral("Прочитать"),
                                   QStringLiteral("Прочитать логотип из выбранных весов"), this);
    connect(write, &QPushButton::clicked, this, &LogoTab::Button1Click);
    connect(read, &QPushButton::clicked, this, &LogoTab::Button2Click);
    context.runner().addScaleCommand(write);
    context.runner().addScaleCommand(read);

    m_threshold = new QSlider(Qt::Vertical, this);
    m_threshold->setObjectName(QStringLiteral("TrackBar1"));
    m_threshold->setRange(kThresholdLow, kThresholdHigh);
    m_threshold->setValue(kThresholdDefault);
    m_threshold->setTickPosition(QSlider::TicksBothSides);
    m_threshold->setTickInterval(kTickStep);

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    left->addWidget(chooser);
    left->addStretch(1);

    auto* field = new QVBoxLayout;
    field->addWidget(makeLabel(QStringLiteral("Поле редактирования логотипа"), this));
    field->addWidget(m_image1);
    field->addStretch(1);

    auto* preview = new QVBoxLayout;
    preview->addWidget(makeLabel(QStringLiteral("Просмотр логотипа"), this));
    preview->addWidget(m_image2, 0, Qt::AlignHCenter);
    preview->addWidget(write);
    preview->addWidget(read);
    preview->addStretch(1);

    auto* thresholdColumn = new QVBoxLayout;
    thresholdColumn->addWidget(makeLabel(QStringLiteral("Контрастность"), this));
    thresholdColumn->addWidget(makeLabel(QStringLiteral("преобразования"), this));
    thresholdColumn->addWidget(makeLabel(QStringLiteral("цвета"), this));
    thresholdColumn->addWidget(m_threshold, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(field);
    columns->addSpacing(16);
    columns->addLayout(preview);
    columns->addStretch(1);
    columns->addLayout(thresholdColumn);

    m_scale.addHelpButton("SpeedButton7");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(columns, 1);
}

void LogoTab::setPicture(const LogoPicture& picture)
{
    m_picture = picture;
    m_image1->setPicture(picture);
    m_image2->setPicture(picture);
}

void LogoTab::runFileCommand(const FileCommand& command)
{
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_scale.fileContext(feedback);
    LogoPicture picture = m_picture;
    if (command(files, picture, m_context.state().logoModified) == Outcome::Done)
        setPicture(picture);
}

void LogoTab::SpeedButton1Click()
{
    runFileCommand(newLogo);
}

void LogoTab::SpeedButton2Click()
{
    runFileCommand(openLogo);
}

void LogoTab::SpeedButton3Click()
{
    saveLogo();
}

Outcome LogoTab::saveLogo()
{
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_scale.fileContext(feedback);
    return qm::saveLogo(files, m_picture, m_context.state().logoModified);
}

void LogoTab::SpeedButton4Click()
{
    const int threshold = m_threshold->value();
    runFileCommand([threshold](FileCommandContext& files, LogoPicture& picture, bool& modified) {
        return convertLogoPicture(files, picture, modified, threshold, pictureFilePatterns(), loadPicture);
    });
}

void LogoTab::Image1MouseUp(int x, int y)
{
    // A point outside the field names no dot: nothing is drawn outside the picture.
    if (x < 0 || y < 0 || !m_picture.toggle(x / kFieldScale, y / kFieldScale))
        return;
    setPicture(m_picture);
    m_context.state().logoModified = true;
}

void LogoTab::Button1Click()
{
    m_scale.runOnScale([picture = m_picture](const ScaleLink& link) { sendLogo(link, picture); });
}

void LogoTab::Button2Click()
{
    auto sink = fieldSink(m_context, this, &LogoTab::setPicture, &m_context.state().logoModified);
    SaveCommand save = saveOnWindow(m_context, this, &LogoTab::saveLogo);
    m_scale.runOnScale([sink, save](const ScaleLink& link) { readLogo(link, *sink, save); });
}

} // namespace qm::app
