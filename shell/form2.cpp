#include "shell/form2.h"

#include "shell/apparatus_picture.h"

#include <QLabel>

namespace vp {

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Авторы"));
    setFixedSize(222, 297);

    image_ = new QLabel(this);
    image_->setObjectName(QStringLiteral("Image1"));
    image_->setGeometry(32, 8, 150, 180);
    image_->setPixmap(apparatus_picture(QSize(150, 180), devicePixelRatioF()));

    label_ = new QLabel(QStringLiteral("Label1"), this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setGeometry(8, 200, 209, 81);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setWordWrap(true);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void Form2::set_text(const QString& text)
{
    label_->setText(text);
}

QString Form2::text() const
{
    return label_->text();
}

} // namespace vp
