#include "widgets/paraedit.h"

#include "ui/common/formats.h"

#include <QLocale>
#include <QValidator>

namespace {

// Accepts what can become a number in the user's locale: digits, the
// decimal and grouping separators and one leading minus sign.
class ParaValidator : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString &input, int &) const override
  {
    const QString text = input.trimmed();
    if (text.isEmpty())
      return Intermediate;
    const QLocale locale;
    const QString minus = locale.negativeSign();
    for (int i = 0; i < text.size(); ++i) {
      const QChar c = text.at(i);
      if (c.isDigit() || c == locale.decimalPoint() || c == locale.groupSeparator() ||
          (i == 0 && (QString(c) == minus || c == QLatin1Char('-'))))
        continue;
      return Invalid;
    }
    double value = 0;
    return ParaEdit::parse(text, &value) ? Acceptable : Intermediate;
  }
};

} // namespace

ParaEdit::ParaEdit(QWidget *parent) : QLineEdit(parent), format_(kParaBicimi)
{
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setValidator(new ParaValidator(this));
  setReadOnly(true);
  setValue(0);
  connect(this, &QLineEdit::textEdited, this, [this](const QString &typed) {
    value_ = 0;
    parse(typed, &value_);
  });
  connect(this, &QLineEdit::editingFinished, this, [this] {
    if (!isReadOnly())
      setValue(value_);
  });
}

bool ParaEdit::parse(const QString &text, double *value)
{
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty())
    return false;
  bool ok = false;
  const QLocale locale;
  double v = locale.toDouble(trimmed, &ok);
  if (!ok) {
    // Grouping separators in the wrong places ("1.0000,5") still read.
    QString plain = trimmed;
    plain.remove(locale.groupSeparator());
    v = locale.toDouble(plain, &ok);
  }
  if (!ok)
    return false;
  *value = v;
  return true;
}

double ParaEdit::value() const
{
  return value_;
}

void ParaEdit::setValue(double value)
{
  value_ = value;
  setText(FormatFloat(format_, value));
}

void ParaEdit::setDisplayFormat(const QString &format)
{
  format_ = format;
  setValue(value_);
}

void ParaEdit::setEditable(bool editable)
{
  setReadOnly(!editable);
  setFocusPolicy(editable ? Qt::StrongFocus : Qt::ClickFocus);
}
