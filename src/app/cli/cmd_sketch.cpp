#include <QFileInfo>
#include <QRegularExpression>

#include "app/cli/command.h"
#include "model/construction.h"
#include "model/order.h"
#include "sizing/sketch_image.h"

namespace {

const QString SketchUsage = QStringLiteral(
    "sketch FILE POSNO (--png OUT.png | --pdf OUT.pdf)... [--size WxH] [--options 0,1,2]   sketch of a position");

bool ParseSize(const QString& text, QSize& size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    size = {match.captured(1).toInt(), match.captured(2).toInt()};
    return size.width() >= 50 && size.height() >= 50 && size.width() <= 10000 && size.height() <= 10000;
}

bool ParseOptions(const QString& text, TSizeOptions& options)
{
    options.clear();
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok || value < 0 || value > 2)
            return false;
        options.insert(value);
    }
    return true;
}

int Sketch(const QStringList& args)
{
    QStringList positional;
    QString png;
    QString pdf;
    QSize size(800, 600);
    TSizeOptions options = DefaultSketchOptions();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--png") && hasValue) {
            png = args.at(++i);
        } else if (a == QLatin1String("--pdf") && hasValue) {
            pdf = args.at(++i);
        } else if (a == QLatin1String("--size") && hasValue) {
            if (!ParseSize(args.at(++i), size)) {
                PrintErr(QStringLiteral("--size: ожидается ШИРИНАxВЫСОТА в пикселях, от 50 до 10000\n"));
                return 2;
            }
        } else if (a == QLatin1String("--options") && hasValue) {
            if (!ParseOptions(args.at(++i), options)) {
                PrintErr(QStringLiteral("--options: ожидается список из 0, 1, 2 через запятую\n"));
                return 2;
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            PrintErr(QStringLiteral("sketch: неизвестный параметр %1\n").arg(a));
            return 2;
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2 || (png.isEmpty() && pdf.isEmpty())) {
        PrintErr(QStringLiteral("usage: diravir-cli ") + SketchUsage + QLatin1Char('\n'));
        return 2;
    }

    TokfOrder order;
    if (!order.LoadFromFile(positional.at(0))) {
        PrintErr(QStringLiteral("Не удалось прочитать заказ %1\n").arg(positional.at(0)));
        return 1;
    }
    const TokfConstruction* position = order.FindByPosNo(positional.at(1));
    if (!position) {
        QStringList numbers;
        for (int i = 0; i < order.PositionCount(); ++i)
            numbers << order.Position(i).PosNo;
        PrintErr(QStringLiteral("Позиция %1 не найдена; в заказе: %2\n")
                     .arg(positional.at(1), numbers.isEmpty() ? QStringLiteral("нет позиций") : numbers.join(QStringLiteral(", "))));
        return 1;
    }

    if (!png.isEmpty()) {
        if (!RenderSketch(*position, size, options).save(png, "PNG")) {
            PrintErr(QStringLiteral("Не удалось записать %1\n").arg(png));
            return 1;
        }
        PrintOut(QFileInfo(png).absoluteFilePath() + QLatin1Char('\n'));
    }
    if (!pdf.isEmpty()) {
        WriteSketchPdf(*position, pdf, size, options);
        PrintOut(QFileInfo(pdf).absoluteFilePath() + QLatin1Char('\n'));
    }
    return 0;
}

const TCliCommand SketchCommand(QStringLiteral("sketch"), SketchUsage, Sketch);

} // namespace
