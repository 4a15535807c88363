#pragma once

#include "TBaseDLLForm.h"

class QFrame;
class QToolButton;
class TImageList;

namespace Ui {
class TDllForm;
}

namespace zaskar {

// A module form with a tool bar of rights-controlled buttons above a content
// area. Derived forms put their content into Panel1() and link the buttons to
// their actions; every button stays hidden until ApplyRights names it.
class TDllForm : public TBaseDLLForm
{
    Q_OBJECT
public:
    explicit TDllForm(QWidget *parent = nullptr);
    ~TDllForm() override;

    QFrame *Panel1() const;
    QFrame *Panel2() const;
    QFrame *RzToolbar1() const;
    QToolButton *BtnNew() const;
    QToolButton *BtnEdit() const;
    QToolButton *BtnSave() const;
    QToolButton *BtnDelete() const;
    // 16 x 16: new, edit, save, delete, each followed by its disabled image.
    TImageList *ImgList() const { return m_imgList; }

private:
    Ui::TDllForm *m_ui;
    TImageList *m_imgList;
};

} // namespace zaskar
