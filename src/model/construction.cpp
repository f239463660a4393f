#include "model/construction.h"

#include "foundation/error.h"
#include "foundation/typed_stream.h"
#include "model/fittings_calculator.h"
#include "model/stored_reader.h"
#include "model/versions.h"

TokfConstruction::TokfConstruction(TokfOrder* order) : Flugel1(this), Flugel2(this), Order(order) {}

TokfConstruction::~TokfConstruction() = default;

void TokfConstruction::Write(TSpecStream& stream) const
{
    stream.WriteBoolean(Included);
    stream.WriteString(PosNo);
    stream.WriteString(Name);
    stream.WriteInteger(Number);
    stream.WriteByte(ObjectType);
    stream.WriteString(FurnSys);
    stream.WriteString(ProfSys);
    stream.WriteString(Color);
    stream.WriteInteger(FalzType);
    stream.WriteInteger(StulpType);
    stream.WriteDouble(ProfWidth);
    stream.WriteDouble(ProfThickness);
    stream.WriteInteger(OpenType);
    stream.WriteCurrency(Price);
    stream.WriteStrings(Note);
    stream.WriteByte(Arrangement);
    Flugel1.Write(stream);
    Flugel2.Write(stream);
}

void TokfConstruction::Read(TSpecStream& stream, const QString& version)
{
    TStoredReader in(stream);
    Included = in.Boolean();
    PosNo = in.String();
    Name = in.String();
    Number = in.Integer();
    ObjectType = in.Byte();
    FurnSys = in.String();
    ProfSys = in.String();
    Color = in.String();
    if (IsVersionOlder(version, VersionNoObsoleteCodes())) {
        in.String();
        in.String();
    }
    FalzType = in.Integer();
    const bool sharedDorn = IsVersionOlder(version, VersionSashDornType());
    const std::int32_t dornType = sharedDorn ? in.Integer() : 0;
    StulpType = in.Integer();
    ProfWidth = in.Single();
    ProfThickness = in.Single();
    OpenType = in.Integer();
    Price = in.Currency();
    Note = in.Strings();
    Arrangement = in.Byte();
    Flugel1.Read(stream, version);
    Flugel2.Read(stream, version);
    if (sharedDorn) {
        Flugel1.DornType = dornType;
        Flugel2.DornType = dornType;
    }
}

void TokfConstruction::Assign(const TokfConstruction& source)
{
    if (&source == this)
        return;
    try {
        CopyThroughStream([&](TSpecStream& s) { source.Write(s); },
                          [&](TSpecStream& s) { Read(s, OrderFormatVersion()); });
    } catch (const std::exception& e) {
        throw TError(QStringLiteral("Ошибка копирования позиции!\r\n(%1)").arg(ErrorText(e)));
    }
}

void TokfConstruction::SaveBackup(TSpecStream& stream) const
{
    try {
        Write(stream);
    } catch (const std::exception& e) {
        throw TError(QStringLiteral("Ошибка создания резервной копии объекта!\r\n(%1)").arg(ErrorText(e)));
    }
}

void TokfConstruction::RestoreBackup(TSpecStream& stream)
{
    try {
        stream.Seek(0);
        Read(stream, OrderFormatVersion());
    } catch (const std::exception& e) {
        throw TError(QStringLiteral("Ошибка восстановления объекта из резервной копии!\r\n(%1)").arg(ErrorText(e)));
    }
}

TMoney TokfConstruction::Cost() const { return Price * static_cast<long double>(Number); }

void TokfConstruction::AddToMatList(TokfMatList& list) const
{
    MergeMatList(list, Flugel1.MatList, Number);
    MergeMatList(list, Flugel2.MatList, Number);
}

void TokfConstruction::SetFittings(const TFittingsChoice& choice)
{
    FurnSys = choice.FurnSys;
    ProfSys = choice.ProfSys;
    Color = choice.Color;
    FalzType = choice.FalzType;
    StulpType = choice.StulpType;
    OpenType = choice.OpenType;
    ProfWidth = choice.ProfWidth;
    ProfThickness = choice.ProfThickness;
    switch (Arrangement) {
    case arSingle:
        Flugel1.SetComplect(FurnSys, ProfSys, Color, choice.First);
        DropComplect(2);
        break;
    case arRightMain:
        Flugel2.SetComplect(FurnSys, ProfSys, Color, choice.Second);
        Flugel1.SetComplect(FurnSys, ProfSys, Color, choice.First);
        break;
    default:
        Flugel1.SetComplect(FurnSys, ProfSys, Color, choice.First);
        Flugel2.SetComplect(FurnSys, ProfSys, Color, choice.Second);
        break;
    }
    RecalcPrice();
}

void TokfConstruction::SetFittingsNoRecalc(const TComplectChoice& first, const TComplectChoice& second)
{
    Flugel1.SetComplectNoRecalc(first);
    if (Arrangement == arSingle)
        DropComplect(2);
    else
        Flugel2.SetComplectNoRecalc(second);
}

void TokfConstruction::DropComplect(int which)
{
    TokfFlugel& flugel = which == 1 ? Flugel1 : Flugel2;
    flugel.Complect.reset();
    for (int i = 0; i < flugel.SideCount(); ++i)
        flugel.Side(i).ClearRoles();
}

TOverallSize TokfConstruction::OverallSize() const
{
    const TFalzSize first = Flugel1.FalzSize();
    if (Arrangement == arSingle)
        return {static_cast<double>(first.Width), static_cast<double>(first.Height)};
    const TFalzSize second = Flugel2.FalzSize();
    return {static_cast<double>(first.Width) + second.Width, static_cast<double>(first.Height)};
}

void TokfConstruction::RecalcPrice()
{
    Price = {};
    for (TokfFlugel* flugel : {&Flugel1, &Flugel2}) {
        flugel->BuildMatList();
        Price += flugel->MatListCost();
    }
}

TokfFurnComp* TokfConstruction::FirstComplect()
{
    ComplectCursor = Arrangement != arSingle;
    return Flugel1.Complect.get();
}

TokfFurnComp* TokfConstruction::NextComplect()
{
    const bool armed = ComplectCursor && Arrangement != arSingle;
    ComplectCursor = false;
    return armed ? Flugel2.Complect.get() : nullptr;
}

void TokfConstruction::ComplectNames(QStringList& names) const
{
    TFittingsCalculator& catalogue = FittingsCalculator();
    for (const TokfFlugel* flugel : {&Flugel1, &Flugel2}) {
        if (!flugel->Complect)
            continue;
        const TokfFurnComp& c = *flugel->Complect;
        for (const QString* code : {&c.MainComplect, &c.HandleComplect, &c.HingeComplect, &c.CylinderComplect,
                                    &c.CloserComplect}) {
            if (code->isEmpty())
                continue;
            QString name;
            catalogue.TryComplectName(*code, name);
            names.append(name);
        }
    }
}
