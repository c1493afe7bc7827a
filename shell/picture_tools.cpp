// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/picture_tools.h"

#include "analysis/run_record.h"
#include "platform/canvas_widget.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace vp {

// The crosshair and the box, over the picture.
class ReadoutOverlay final : public QWidget {
public:
    ReadoutOverlay(PictureTools& tools, QWidget* picture) : QWidget(picture), tools_(tools)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (tools_.picture_->hasFocus()) {
            painter.setPen(QPen(QColor(0, 0, 128), 1, Qt::DashLine));
            painter.drawRect(rect().adjusted(1, 1, -2, -2));
        }
        if (!tools_.mouse_inside_)
            return;
        const QPointF m = tools_.mouse_;
        painter.setPen(QPen(QColor(0, 0, 128, 170), 1));
        painter.drawLine(QPointF(m.x() + 0.5, 0), QPointF(m.x() + 0.5, height()));
        painter.drawLine(QPointF(0, m.y() + 0.5), QPointF(width(), m.y() + 0.5));

        const QString text = tools_.readout_text();
        const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, width(), height()), Qt::AlignLeft, text);
        const int margin = 4;
        QRect box(0, 0, bounds.width() + 2 * margin, bounds.height() + 2 * margin);
        // The top-right corner, or the top-left one when the mouse is there.
        box.moveTopRight(QPoint(width() - 3, 2));
        if (box.adjusted(-8, 0, 0, 8).contains(m.toPoint()))
            box.moveTopLeft(QPoint(2, 2));
        painter.setPen(QColor(0, 0, 0));
        painter.setBrush(QColor(255, 255, 224, 230));
        painter.drawRect(box);
        painter.drawText(box.adjusted(margin, margin, -margin, -margin), Qt::AlignLeft, text);
    }

private:
    PictureTools& tools_;
};

PictureTools::PictureTools(CanvasWidget* picture, PictureKind kind, const RunRecord& run, PictureCommands commands)
    : QObject(picture), picture_(picture), kind_(kind), run_(run), commands_(std::move(commands))
{
    menu_ = new QMenu(picture);
    // The keys work on the picture that has the focus (a click or Tab gives
    // it), and the menu shows them.
    const struct {
        QString text;
        QKeySequence keys;
        std::function<void()>* command;
    } items[] = {
        {QStringLiteral("Анализ колебаний…"), QKeySequence(Qt::CTRL | Qt::Key_A), &commands_.analyse},
        {QStringLiteral("Сохранить данные (CSV)…"), QKeySequence(Qt::CTRL | Qt::Key_D), &commands_.save_data},
        {QStringLiteral("Сохранить изображение…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &commands_.save_image},
        {QStringLiteral("Копировать изображение"), QKeySequence(Qt::CTRL | Qt::Key_C), &commands_.copy_image},
    };
    for (const auto& item : items) {
        QAction* action = menu_->addAction(item.text);
        action->setShortcut(item.keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        picture->addAction(action);
        std::function<void()>* command = item.command;
        connect(action, &QAction::triggered, this, [command] {
            if (*command)
                (*command)();
        });
    }
    // The program's own action, with its Ctrl+R for every window: a key of
    // the picture's own would be ambiguous with it.
    if (commands_.series)
        menu_->addAction(commands_.series);
    // Nothing to save before the first run.
    QAction* save_data = menu_->actions().at(1);
    connect(menu_, &QMenu::aboutToShow, this, [this, save_data] { save_data->setEnabled(!run_.empty()); });

    overlay_ = new ReadoutOverlay(*this, picture);
    picture->setMouseTracking(true);
    picture->installEventFilter(this);
}

// Shown while the mouse is over the picture or the picture has the focus,
// which a dashed frame marks.
void PictureTools::show_overlay()
{
    if (!mouse_inside_ && !picture_->hasFocus()) {
        overlay_->hide();
        return;
    }
    overlay_->setGeometry(picture_->rect());
    overlay_->show();
    overlay_->raise();
    overlay_->update();
}

QString PictureTools::readout_text() const
{
    if (!overlay_->isVisible() || !mouse_inside_)
        return {};
    const std::string separator = QLocale().decimalPoint().toStdString();
    return QString::fromStdString(
        vp::readout_text(kind_, picture_->canvas().mapping(), mouse_.x(), mouse_.y(), run_, separator));
}

bool PictureTools::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != picture_)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        mouse_ = static_cast<QMouseEvent*>(event)->position();
        mouse_inside_ = true;
        show_overlay();
        break;
    case QEvent::Leave:
        mouse_inside_ = false;
        show_overlay();
        break;
    case QEvent::Hide:
        mouse_inside_ = false;
        overlay_->hide();
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut: show_overlay(); break;
    case QEvent::Resize: overlay_->setGeometry(picture_->rect()); break;
    case QEvent::ContextMenu: {
        // From the keyboard (the menu key) the menu opens at the picture's
        // top-left corner.
        const auto* menu_event = static_cast<QContextMenuEvent*>(event);
        menu_->popup(menu_event->reason() == QContextMenuEvent::Keyboard ? picture_->mapToGlobal(QPoint(8, 8))
                                                                         : menu_event->globalPos());
        return true;
    }
    case QEvent::KeyPress: {
        // Shift+F10, the other key of a context menu.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            menu_->popup(picture_->mapToGlobal(QPoint(8, 8)));
            return true;
        }
        break;
    }
    default: break;
    }
    return false;
}

} // namespace vp
