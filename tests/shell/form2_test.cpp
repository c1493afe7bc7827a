// SPDX-License-Identifier: GPL-3.0-or-later
// The authors window: its size and contents, its place over the main window,
// and that choosing "Авторы" again brings back the same window.
#include "form1_test_support.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace vp::testing {
namespace {

void choose_authors(Lab& lab)
{
    QAction* item = lab.form->findChild<QAction*>(QStringLiteral("mnuHelpAvtors"));
    ASSERT_NE(item, nullptr);
    item->trigger();
    QCoreApplication::processEvents();
}

QPoint centred_over(const QWidget& main_window, const QWidget& box)
{
    const QRect outer = main_window.frameGeometry();
    const QSize own = box.frameGeometry().size();
    return {outer.left() + (outer.width() - own.width()) / 2, outer.top() + (outer.height() - own.height()) / 2};
}

int authors_windows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += w->objectName() == QStringLiteral("Form2") ? 1 : 0;
    return count;
}

TEST(Form2, ShownBesideTheMainWindowAndCentredOverIt)
{
    Lab lab;
    EXPECT_EQ(lab.form->authors_window(), nullptr) << "made only when first chosen";
    choose_authors(lab);
    Form2* form2 = lab.form->authors_window();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_TRUE(form2->isWindow());
    EXPECT_EQ(form2->windowTitle(), QStringLiteral("Авторы"));
    EXPECT_EQ(form2->size(), QSize(222, 297));
    EXPECT_FALSE(form2->isModal());
    EXPECT_EQ(form2->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(lab.form->isEnabled());
    EXPECT_EQ(form2->frameGeometry().topLeft(), centred_over(*lab.form, *form2));

    // Wherever the main window has been moved to, the authors window follows
    // when chosen again.
    lab.form->move(lab.form->x() + 173, lab.form->y() + 61);
    QCoreApplication::processEvents();
    choose_authors(lab);
    EXPECT_EQ(form2->frameGeometry().topLeft(), centred_over(*lab.form, *form2));
}

TEST(Form2, ChosenAgainIsTheSameWindowRefilledAndBroughtBack)
{
    Lab lab;
    choose_authors(lab);
    QPointer<Form2> first = lab.form->authors_window();
    ASSERT_NE(first, nullptr);
    const QString text = first->text();

    first->set_text(QStringLiteral("Label1"));
    first->close();
    QCoreApplication::processEvents();
    choose_authors(lab);
    EXPECT_EQ(lab.form->authors_window(), first.data());
    EXPECT_EQ(authors_windows(), 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->text(), text);

    // Opened and behind the main window: chosen again, it comes to the front.
    lab.form->activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), lab.form.get());
    choose_authors(lab);
    EXPECT_EQ(authors_windows(), 1);
    EXPECT_EQ(QApplication::activeWindow(), first.data());
}

TEST(Form2, SixLinesAboutTheTeamThatFitTheLabel)
{
    Lab lab;
    choose_authors(lab);
    Form2* form2 = lab.form->authors_window();
    ASSERT_NE(form2, nullptr);
    auto* label = form2->findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(8, 200, 209, 81));
    QTextDocument shown;
    shown.setHtml(label->text());
    EXPECT_EQ(shown.toPlainText(), form2->text()) << "the label shows the lines as they are";

    const QStringList lines = form2->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 6) << form2->text().toStdString();
    for (const QString& line : lines)
        EXPECT_FALSE(line.trimmed().isEmpty());
    EXPECT_TRUE(lines[0].contains(QStringLiteral("viscous-pendulum"))) << "the project's team, by the project's name";
    EXPECT_TRUE(lines[0].contains(QRegularExpression(QStringLiteral("\\b20\\d\\d\\b")))) << "with the year";
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[\\w.+-]+@[\\w-]+(\\.[\\w-]+)+$")).match(lines[5]).hasMatch())
        << "the contact address: " << lines[5].toStdString();

    // Unwrapped, all six lines are within the label: none runs off to the
    // right or is cut off at the bottom.
    EXPECT_FALSE(label->wordWrap());
    const QSize needed = label->sizeHint();
    EXPECT_LE(needed.width(), label->width()) << form2->text().toStdString();
    EXPECT_LE(needed.height(), label->height());
    EXPECT_GE(label->fontInfo().pixelSize(), 10) << "readable";
}

TEST(Form2, PictureOfTheApparatus)
{
    Lab lab;
    choose_authors(lab);
    Form2* form2 = lab.form->authors_window();
    ASSERT_NE(form2, nullptr);
    auto* image = form2->findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(32, 8, 150, 180));

    const QPixmap pixmap = image->pixmap();
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(150, 180));
    const QImage picture = pixmap.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 2) << "a drawing, not a blank";
}

TEST(Form2, ClosesWithTheProgram)
{
    Lab lab;
    choose_authors(lab);
    QPointer<Form2> form2 = lab.form->authors_window();
    ASSERT_NE(form2, nullptr);

    lab.doubles.boxes.answer_yes = false;
    lab.form->close();
    EXPECT_TRUE(form2->isVisible()) << "declined: both windows stay";

    lab.doubles.boxes.answer_yes = true;
    lab.form->close();
    EXPECT_TRUE(form2.isNull() || !form2->isVisible());
    EXPECT_EQ(lab.doubles.quits, 1);
}

} // namespace
} // namespace vp::testing
