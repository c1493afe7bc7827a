// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/picture_tools.h"

#include "analysis/run_record.h"
#include "platform/canvas_widget.h"

#include <QAction>
#include <QContextMenuEvent>
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
    const std::pair<QString, std::function<void()>*> items[] = {
        {QStringLiteral("Анализ колебаний…"), &commands_.analyse},
        {QStringLiteral("Сохранить данные (CSV)…"), &commands_.save_data},
        {QStringLiteral("Сохранить изображение…"), &commands_.save_image},
        {QStringLiteral("Копировать изображение"), &commands_.copy_image},
        {QStringLiteral("Серия опытов…"), &commands_.series},
    };
    for (const auto& [text, command] : items) {
        QAction* action = menu_->addAction(text);
        connect(action, &QAction::triggered, this, [command] {
            if (*command)
                (*command)();
        });
    }
    // Nothing to save before the first run.
    QAction* save_data = menu_->actions().at(1);
    connect(menu_, &QMenu::aboutToShow, this, [this, save_data] { save_data->setEnabled(!run_.empty()); });

    overlay_ = new ReadoutOverlay(*this, picture);
    picture->setMouseTracking(true);
    picture->installEventFilter(this);
}

QString PictureTools::readout_text() const
{
    if (!overlay_->isVisible())
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
        overlay_->setGeometry(picture_->rect());
        overlay_->show();
        overlay_->raise();
        overlay_->update();
        break;
    case QEvent::Leave:
    case QEvent::Hide: overlay_->hide(); break;
    case QEvent::Resize: overlay_->setGeometry(picture_->rect()); break;
    case QEvent::ContextMenu: menu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos()); return true;
    default: break;
    }
    return false;
}

} // namespace vp
