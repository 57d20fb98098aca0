#ifndef KRELVOX_BASEDIALOG_H
#define KRELVOX_BASEDIALOG_H

#include <QDialog>

class QHBoxLayout;
class QLabel;
class QProgressBar;

// Framed modal dialog: a bold title line, a message line, a progress bar (0-100,
// hidden until asked for) and a row of buttons that the subclasses fill.
class BaseDialog : public QDialog
{
    Q_OBJECT
public:
    explicit BaseDialog(QWidget* parent = nullptr);
    ~BaseDialog() override;

    void setTitle(const QString& title);
    void setText(const QString& text);
    QString getTitle() const;
    QString getText() const;

    void showProgressIndicator(bool show);
    // Values above 100 (or below 0) are refused with an error trace.
    void setProgressIndicatorValue(int value);
    int getProgressIndicatorValue() const;
    bool isProgressIndicatorShown() const;
    // Busy: the bar runs without a value, for a wait of unknown length; not busy: the
    // 0-100 range again.
    void setProgressIndicatorBusy(bool busy);
    bool isProgressIndicatorBusy() const;

protected:
    QHBoxLayout* buttonRow() const { return myButtonRow; }
    void showEvent(QShowEvent* event) override;

private:
    QLabel* myTitle;
    QLabel* myText;
    QProgressBar* myProgress;
    QHBoxLayout* myButtonRow;
};

#endif
