#include "TDllForm.h"

#include "TImageList.h"
#include "ui_TDllForm.h"

#include <QPainter>
#include <QPainterPath>

namespace zaskar {

namespace {

enum class Glyph { New, Edit, Save, Delete };

// The tool bar's pictures are drawn here rather than stored: 16 x 16 on
// white, which the image list makes transparent.
QImage drawGlyph(Glyph glyph, bool disabled)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    auto colour = [disabled](QColor c) { return disabled ? QColor(160, 160, 160) : c; };
    switch (glyph) {
    case Glyph::New:
        p.setPen(QPen(colour(QColor(90, 90, 90)), 1));
        p.setBrush(QColor(250, 250, 245));
        p.drawRect(QRectF(2.5, 1.5, 9, 12));
        p.setPen(QPen(colour(QColor(30, 150, 40)), 2.2));
        p.drawLine(QPointF(11, 8), QPointF(11, 15));
        p.drawLine(QPointF(7.5, 11.5), QPointF(14.5, 11.5));
        break;
    case Glyph::Edit: {
        p.setPen(QPen(colour(QColor(70, 70, 70)), 1));
        p.setBrush(colour(QColor(240, 190, 40)));
        QPainterPath pencil;
        pencil.moveTo(3, 13);
        pencil.lineTo(4, 9.5);
        pencil.lineTo(11.5, 2);
        pencil.lineTo(14, 4.5);
        pencil.lineTo(6.5, 12);
        pencil.closeSubpath();
        p.drawPath(pencil);
        p.drawLine(QPointF(2, 15), QPointF(14, 15));
        break;
    }
    case Glyph::Save:
        p.setPen(QPen(colour(QColor(30, 50, 110)), 1));
        p.setBrush(colour(QColor(60, 100, 190)));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(QColor(245, 245, 245));
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(colour(QColor(200, 200, 200)));
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case Glyph::Delete:
        p.setPen(QPen(colour(QColor(200, 30, 30)), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    }
    return img;
}

void fillImages(TImageList *list)
{
    for (Glyph g : {Glyph::New, Glyph::Edit, Glyph::Save, Glyph::Delete}) {
        list->add(drawGlyph(g, false));
        list->add(drawGlyph(g, true));
    }
}

} // namespace

TDllForm::TDllForm(QWidget *parent)
    : TBaseDLLForm(parent)
    , m_ui(new Ui::TDllForm)
    , m_imgList(new TImageList(16, 16, this))
{
    m_ui->setupUi(this);
    m_imgList->setObjectName(QStringLiteral("ImgList"));
    fillImages(m_imgList);
    const QList<QToolButton *> buttons{m_ui->BtnNew, m_ui->BtnEdit, m_ui->BtnSave, m_ui->BtnDelete};
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->setIconSize(QSize(16, 16));
        buttons[i]->setIcon(m_imgList->icon(2 * i, 2 * i + 1));
    }
}

TDllForm::~TDllForm()
{
    delete m_ui;
}

QFrame *TDllForm::Panel1() const { return m_ui->Panel1; }
QFrame *TDllForm::Panel2() const { return m_ui->Panel2; }
QFrame *TDllForm::RzToolbar1() const { return m_ui->RzToolbar1; }
QToolButton *TDllForm::BtnNew() const { return m_ui->BtnNew; }
QToolButton *TDllForm::BtnEdit() const { return m_ui->BtnEdit; }
QToolButton *TDllForm::BtnSave() const { return m_ui->BtnSave; }
QToolButton *TDllForm::BtnDelete() const { return m_ui->BtnDelete; }

} // namespace zaskar
