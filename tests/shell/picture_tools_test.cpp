// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/picture_tools.h"

#include "analysis/run_record.h"
#include "form1_test_support.h"
#include "platform/canvas_widget.h"
#include "shell/characteristics_copy.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace vp {
namespace {

// An angle graph of 16 s and +-30 degrees, 400 x 200 pixels, on screen.
struct AnglePicture {
    CanvasWidget picture;
    RunRecord run;
    std::vector<std::string> chosen;
    PictureTools* tools;
    QAction series{QStringLiteral("Серия опытов…")};

    AnglePicture()
    {
        QObject::connect(&series, &QAction::triggered, [this] { chosen.push_back("series"); });
        picture.place(QRect(0, 0, 400, 200));
        picture.canvas().set_scale(0, 30, 16, -30);
        auto note = [this](const char* what) { return [this, what] { chosen.push_back(what); }; };
        tools = new PictureTools(&picture, PictureKind::angle, run,
                                 {note("analyse"), note("save data"), note("save image"), note("copy image"), &series});
        picture.show();
    }

    void move_mouse(QPointF at)
    {
        QMouseEvent move(QEvent::MouseMove, at, picture.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&picture, &move);
    }
};

TEST(PictureTools, ContextMenuHasTheFiveItemsInOrder)
{
    AnglePicture p;
    const QList<QAction*> items = p.tools->menu()->actions();
    ASSERT_EQ(items.size(), 5);
    const char* const texts[] = {"Анализ колебаний…", "Сохранить данные (CSV)…", "Сохранить изображение…",
                                 "Копировать изображение", "Серия опытов…"};
    const char* const commands[] = {"analyse", "save data", "save image", "copy image", "series"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(texts[i]));
        items[i]->trigger();
        ASSERT_EQ(p.chosen.size(), static_cast<std::size_t>(i + 1));
        EXPECT_EQ(p.chosen.back(), commands[i]);
    }
    // The keyboard opens it too.
    QKeyEvent shift_f10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&p.picture, &shift_f10);
    EXPECT_TRUE(p.tools->menu()->isVisible());
    p.tools->menu()->hide();

    // A right click opens it; the data can be saved once a run has steps.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10), p.picture.mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(&p.picture, &click);
    EXPECT_TRUE(p.tools->menu()->isVisible());
    EXPECT_FALSE(items[1]->isEnabled());
    p.tools->menu()->hide();
    p.run.start({});
    p.run.append({1, 2, 3, 4});
    p.tools->menu()->popup(QPoint(0, 0));
    EXPECT_TRUE(items[1]->isEnabled());
    p.tools->menu()->hide();
}

TEST(PictureTools, ReadoutFollowsTheMouseOverThePictureNotInIt)
{
    AnglePicture p;
    p.run.start({});
    p.run.append({2, 10, 0, 0});
    p.run.append({6, 20, 0, 0});
    const QImage before = p.picture.canvas().image();
    const std::uint64_t generation = p.picture.canvas().generation();
    EXPECT_FALSE(p.tools->readout()->isVisible()) << "nothing while the mouse is away";

    p.move_mouse(QPointF(100, 50)); // t = 4 s, fi = 15 degrees
    ASSERT_TRUE(p.tools->readout()->isVisible());
    EXPECT_TRUE(p.tools->readout()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(p.tools->readout()->geometry(), p.picture.rect());
    EXPECT_EQ(p.tools->readout_text(), testing::system_separator(QStringLiteral("t = 4.000 c   fi = 15.00 °\n"
                                                                                "расчёт: fi = 15.00 °")));
    p.tools->readout()->repaint();
    EXPECT_EQ(p.picture.canvas().generation(), generation);
    EXPECT_EQ(p.picture.canvas().image(), before);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&p.picture, &leave);
    EXPECT_FALSE(p.tools->readout()->isVisible());
    EXPECT_TRUE(p.tools->readout_text().isEmpty());
}

TEST(CharacteristicsCopy, PutsTheTextOnTheClipboard)
{
    QLabel label;
    int asked = 0;
    QAction* item = attach_copy_characteristics(&label, [&asked] {
        ++asked;
        return QStringLiteral("ρ\t4,625E+02\tкг/м3\n");
    });
    EXPECT_EQ(item->text(), QStringLiteral("Копировать характеристики"));
    EXPECT_EQ(label.contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_EQ(label.actions(), QList<QAction*>{item});
    EXPECT_EQ(asked, 0) << "the text is made when it is copied";
    item->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ρ\t4,625E+02\tкг/м3\n"));
}

} // namespace
} // namespace vp
