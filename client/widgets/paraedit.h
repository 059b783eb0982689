#pragma once
// A money box: shows a double with the money pattern through FormatFloat,
// right aligned, read-only until made editable. Typed text is read with the
// user's locale separators (the grouping separator may be typed or left out).

#include <QLineEdit>

class ParaEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit ParaEdit(QWidget *parent = nullptr);

  // The number set, or after typing the number typed (0 for an empty or
  // unreadable text).
  double value() const;
  // Shows `value` with the display format.
  void setValue(double value);

  // The pattern the value is shown with; "#,###,##0.00" unless changed.
  const QString &displayFormat() const { return format_; }
  void setDisplayFormat(const QString &format);

  // Read-only is the default; an editable box accepts digits, the locale's
  // separators and a minus sign, and shows its value formatted again when
  // editing ends.
  bool isEditable() const { return !isReadOnly(); }
  void setEditable(bool editable);

  // The reading rule of value(), for any text; false when it is no number.
  static bool parse(const QString &text, double *value);

private:
  QString format_;
  double value_ = 0;
};
