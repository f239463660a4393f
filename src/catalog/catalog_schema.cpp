#include "catalog/catalog_schema.h"

namespace {
TIndexDef Key(const QString& fields)
{
    return {QString(), fields.split(QLatin1Char(';')), false, true};
}

TIndexDef Secondary(const QString& name, const QString& fields, bool caseInsensitive = true)
{
    return {name, fields.split(QLatin1Char(';')), caseInsensitive, false};
}

TTableDef Table(const char* name, const char* file, const char* fields, QList<TIndexDef> indexes = {})
{
    TTableDef def;
    def.Name = QString::fromLatin1(name);
    def.FileName = QString::fromLatin1(file);
    def.Fields = ParseFieldList(QString::fromLatin1(fields));
    def.Indexes = std::move(indexes);
    return def;
}

QList<TTableDef> BuildCatalog()
{
    QList<TTableDef> t;
    t << Table("COLORSET", "COLORSET.DB", "Color:A10 Name:A30", {Key(QStringLiteral("Color"))});
    t << Table("Currency", "Currency.DB",
               "Name:A5 Nominative:A35 Genitive:A35 GenitivePlural:A35 Gender:S Dec:S ID:S Value:N4 "
               "DecNominative:A35 DecGenitive:A35 DecGenitivePlural:A35 DecGender:S");
    t << Table("PriceGrp", "PriceGrp.DB",
               "Name:A20 Reduce_1:N2 Reduce_2:N2 Reduce_3:N2 Reduce_4:N2 Reduce_5:N2 Reduce_6:N2 Reduce_7:N2 "
               "Reduce_8:N2 Reduce_9:N2 Reduce_10:N2 GroupID:S");
    t << Table("SysList", "SysList.DB", "ID:A10 Group:S Name:A50 ShortName:A30 Use:S CommonGrp:I BaseColor:A10",
               {Key(QStringLiteral("ID"))});
    t << Table("SysColor", "SysColor.db", "ID:A10 System:A10 Article:A20",
               {Key(QStringLiteral("ID;System")), Secondary(QStringLiteral("SysIndex"), QStringLiteral("System;ID"))});
    t << Table("SysProp", "SysProp.DB", "ID:I GroupName:A30 ValueName:A50 Printable:S Use:S PrintName:A100");
    t << Table("SysProf", "SysProf.DB", "SchlSysID:A10 FurnSysID:A10 Name:A50");
    t << Table("Catalog", "Catalog.DB",
               "Article:A20 ProdArticle:A20 ProdArticle2:A20 ProdArticle3:A20 Price:$ Name:A100 Unit:A10 "
               "PriceGrp:S Currency:S ID:A30 System:A10 UseArticle:S Group:S MinTrade:N2 Use:S CommonUse:S "
               "Integer:S Virtual:S "
               "FrontColor:A10 GOST:A40 ShortName:A50 AltUnit_1:A10 AltUnit_2:A10 Coef:N6 AltCoef_1:N6 "
               "AltCoef_2:N6 AltInteger_1:S AltInteger_2:S RoundedTotal:S MinLength:I MinWidth:I MinHeight:I "
               "MaxLength:I MaxWidth:I MaxHeight:I Thickness:S Weight:N2 Volume:N2 CutAvailable:S "
               "CalcPrinciple:S DustGrp:S PriceList:I PriceMethod:S CustomGrp:S GetCustom:S GetNDS:S "
               "ScreenColor:I SizeToSquare:S ArcPriceCoef:N2 NotStdPriceCoef:N2 CombinePriceCoef:N2 "
               "IncludeToComp:S GarantGrp:S Laminating:S Reserve1:A30 Reserve2:A30 Mark:A10 PrintGroup:A20 "
               "SingleLam:S Export:A255 SubSetID:I LamSqExt:N8 LamSqInn:N8 LamSqFull:N8 AutoChange:S "
               "LenToSquare:S SinkDeltaW:I SinkDeltaL:I",
               {Key(QStringLiteral("ID")), Secondary(QStringLiteral("ProdArtIndex"), QStringLiteral("ProdArticle")),
                Secondary(QStringLiteral("ProdArt2Index"), QStringLiteral("ProdArticle2")),
                Secondary(QStringLiteral("SysIndex"), QStringLiteral("System")),
                Secondary(QStringLiteral("NameIndex"), QStringLiteral("Name")),
                Secondary(QStringLiteral("GrpIndex"), QStringLiteral("Group")),
                Secondary(QStringLiteral("ArtIndex"), QStringLiteral("Article"))});
    t << Table("Material", "Material.db", "ID:I Name:A50");
    t << Table("ParamList", "ParamList.DB",
               "ID:I Group:S Name:A30 FalzLuft:S FalzSize:S FalzPos:S DornMass:N1 OpenType:S StulpType:S",
               {Key(QStringLiteral("ID"))});
    t << Table("FrnComp", "FrnComp.DB",
               "ID:A30 Group:S Name:A100 Image:S MaxWeight:S ScrColor:I TFlugelAvailable:S Use:S SymmetricID:A30 "
               "MultiSysID:A10 SubGroup:S Kipp:S Direct:S CommonGrp:I Note:A50 PrintName:A100 Printable:S "
               "PropKey:I Alert:A255 DispHingeNum:I CompectImage:S Material:I HingeT:A30 HingeB:A30 HingeC:A30",
               {Key(QStringLiteral("ID"))});
    t << Table("FrnSide", "FrnSide.DB",
               "ID:A30 Side:S MinSize:S MaxSize:S MinRadius:S MaxRadius:S OpenMode:S RotSide:S Handled:S Banded:S "
               "Drived:S FullRadius:S HalfRadius:S EllipseRadius:S MinAngle:N2 MaxAngle:N2 HandleDirect:S",
               {Key(QStringLiteral("ID;Side"))});
    t << Table("FrnItem", "FrnItem.DB",
               "ID:A30 Name:A70 HasDornMass:S HasProfSys:S CheckWeight:S HasColor:S HasFalzLuft:S HasFalzSize:S "
               "HasFalzPos:S CheckThickness:S CheckProfWidth:S CheckStulpType:S CheckDirect:S Virtual:S CommonGrp:I",
               {Secondary(QStringLiteral("IDIndex"), QStringLiteral("ID"), false)});
    t << Table("FrnSet", "FrnSet.DB",
               "ID:A30 Item:A30 Key:+ PropKey:I Number:S Side1No:S Side2No:S AngleNo:S FFBMin:S FFBMax:S FFHMin:S "
               "FFHMax:S FFL1No:S FFL1Min:S FFL1Max:S FFL2No:S FFL2Min:S FFL2Max:S FFL21No:S FFL21Min:S "
               "FFL21Max:S FFL22No:S FFL22Min:S FFL22Max:S FFANo:S FFAMin:N2 FFAMax:N2 FFR1No:S FFR1Min:S "
               "FFR1Max:S FFR1Type:S FFR2No:S FFR2Min:S FFR2Max:S FFR2Type:S Condition:S ScaleCondition:S "
               "ScaleStep:S ScaleStart:S ScaleNum:S ScaleScheme:A50 ColorCondition:S DefineHandleHeight:S "
               "HandleSideNo:S StulpType:S Required:S UseLen:S LenFormula:A100 Note:A50 AlertIfNoArt:A100 "
               "AlertIfIgnore:A100 MinLen:S UseIfArt:A30 ItemSideNo:I",
               {Key(QStringLiteral("ID;Item;Key"))});
    t << Table("FrnArt", "FrnArt.DB",
               "ID:A30 CatalogID:A30 Key:+ FalzLuft:S FalzSize:S FalzPos:S DornMassMin:N2 DornMassMax:N2 "
               "HandleMin:S HandleMax:S HandleHeight:S WeightMin:N2 WeightMax:N2 ThicknessMin:S ThicknessMax:S "
               "ProfWidthMin:S ProfWidthMax:S ProfSys:A10 FFBMin:S FFBMax:S FFHMin:S FFHMax:S Color:A10 "
               "StulpType:S Direct:S FFAMin:N2 FFAMax:N2 FFL1Min:S FFL1Max:S FFL2Min:S FFL2Max:S FFR1Min:S "
               "FFR1Max:S FFR2Min:S FFR2Max:S",
               {Key(QStringLiteral("ID;CatalogID;Key"))});
    t << Table("FrnSchl", "FrnSchl.DB",
               "CatalogID:A30 Item:A30 Key:+ Number:S StulpType:S PropKey:I ItemSideNo:I ItemComplectID:A30",
               {Secondary(QStringLiteral("CatalogIndex"), QStringLiteral("CatalogID"), false)});
    t << Table("FrnDop", "FrnDop.DB",
               "CatalogID:A30 AccessoryID:A30 Key:+ Number:S PropKey:I StulpType:S ItemSideNo:I ItemComplectID:A30",
               {Secondary(QStringLiteral("CatalogIndex"), QStringLiteral("CatalogID"), false)});
    t << Table("FrnAbd", "FrnAbd.DB", "CatalogID:A30 Color:A10 AccessoryID:A30 Number:S ItemSideNo:I ItemComplectID:A30",
               {Secondary(QStringLiteral("CatalogIndex"), QStringLiteral("CatalogID"), false)});
    t << Table("FrnProp", "FrnProp.db", "ID:I PropKey:I Default:S",
               {Secondary(QStringLiteral("PropKeyIndex"), QStringLiteral("PropKey;ID"), false)});
    t << Table("FrnItoI", "FrnItoI.DB",
               "ID:A30 Item:A30 PropKey:I Number:S StulpType:S ColorCondition:S Required:S AlertIfNoArt:A100 "
               "AlertIfIgnore:A100 Note:A100 ItemSideNo:I",
               {Secondary(QStringLiteral("IDIndex"), QStringLiteral("ID"), false)});
    return t;
}
} // namespace

const QList<TTableDef>& CatalogTableDefs()
{
    static const QList<TTableDef> tables = BuildCatalog();
    return tables;
}

const TTableDef& OrderListTableDef()
{
    static const TTableDef def =
        Table("OrderLst", "OrderLst.DB",
              "No:A30 RegDate:D Customer:A40 Object:A40 Address:A80 Phone:A40 Cost:$ Currency:S OrderFile:A255 "
              "Note:A255",
              {Secondary(QStringLiteral("Date"), QStringLiteral("RegDate")),
               Secondary(QStringLiteral("CustName"), QStringLiteral("Customer")),
               Secondary(QStringLiteral("ObjName"), QStringLiteral("Object"))});
    return def;
}

const TTableDef& ReportTableDef()
{
    static const TTableDef def = Table("Report", "Report.db", "Name:A100 FileName:A100 Default:S Copies:S Group:S USE:S");
    return def;
}

const TTableDef* FindCatalogTableDef(const QString& name)
{
    QString stem = name;
    if (stem.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        stem.chop(3);
    for (const auto& def : CatalogTableDefs())
        if (def.Name.compare(stem, Qt::CaseInsensitive) == 0)
            return &def;
    return nullptr;
}
