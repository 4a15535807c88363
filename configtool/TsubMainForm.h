#pragma once

#include "TPageForm.h"

#include <QVector>

#include <functional>
#include <memory>

class TDM;
class TOpenDialog;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
namespace Ui { class TsubMainForm; }

// Main-window page: the look of Brastel's main window, row 1 of
// CLIENT_INFO. Every control writes its own column the moment it is used;
// the first showing loads the integer settings into the controls.
class TsubMainForm : public TPageForm
{
    Q_OBJECT
public:
    explicit TsubMainForm(TDM *dm, QWidget *parent = nullptr);
    ~TsubMainForm() override;

    Ui::TsubMainForm *ui() const { return m_ui.get(); }
    // The ten top-bar controls that CheckBox1 switches together.
    QVector<QWidget *> topBarControls() const;

public slots:
    void RadioButton1Click();
    void RadioButton2Click();
    void RdBtnSty1Click();
    void RdBtnSty2Click();
    void CheckBox1Click();
    void RzSpinEdit1Change();
    void ComboBoxChange(int row);
    void PictureButtonClick(int row);

protected:
    void FormShow() override;

private:
    struct PictureRow {
        QPushButton *button;
        QLineEdit *path;
        QLabel *preview;
        const char *column; // as the statement spells it
    };
    struct ModeRow {
        QComboBox *box;
        const char *column;
    };

    void writeFlag(const char *column, const QVariant &value);
    void stateNormal();
    void stateMaximised();
    void styleStandard();
    void styleShaped();
    void topOpenChanged();
    // Selects a radio button from code and runs its action when that changed
    // its state, exactly as a click does; errors propagate.
    void selectRunning(QRadioButton *button, void (TsubMainForm::*action)());
    void tickRunning(bool ticked);
    void showPreview(QLabel *preview, const QByteArray &blob);
    void connectGuarded(QRadioButton *button, void (TsubMainForm::*slot)());

    std::unique_ptr<Ui::TsubMainForm> m_ui;
    std::unique_ptr<TOpenDialog> m_openBmp;
    TDM *m_dm;
    QVector<PictureRow> m_pictures;
    QVector<ModeRow> m_modes;
};
