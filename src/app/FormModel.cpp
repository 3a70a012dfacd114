#include "app/FormModel.h"

namespace korvent::app {
namespace {

void Numeric(Control& c, int value, int min, int max) {
    c.Value = value;
    c.Text = std::to_string(value);
    c.Min = min;
    c.Max = max;
}

}  // namespace

FormModel::FormModel() {
    fControls = {
        &PageControl1,
        &GroupBox1,
        &CheckListBox1,
        &BtnNewFiles,
        &BtnApendFile,
        &BitBtnUP,
        &BtnUp,
        &BitBtnDown,
        &BtnDown,
        &BtnlClearList,
        &BtnAllClearList,
        &BtnPDFAll,
        &BtnMerge,
        &BtnStopAutoCheck,
        &BtnAutoCheck,
        &GroupBox2,
        &BtnPrint,
        &BtnOpenFile,
        &GroupBox3,
        &RBtnOutPut1,
        &RBtnOutPut2,
        &LblFilePath,
        &BtnSelectFolder,
        &GroupBox4,
        &RBtnMerge1,
        &EdtMergeFileName,
        &RBtnMerge2,
        &EdtMergeAddString,
        &Label5,
        &Label2,
        &LblFName,
        &RunProgress,
        &GroupBox5,
        &MarginTop,
        &MarginBottom,
        &MarginLeft,
        &MarginRight,
        &RadioGroupGrPaperSize,
        &CmbPaperSize,
        &RGPaperDirection,
        &EdtPaperWidth,
        &EdtPaperHeight,
        &RGImageSize,
        &EdtImageWidth,
        &EdtImageHeight,
        &ChkBoxGraphicPropotion,
        &ChkBoxGraphicCenter,
        &Label7,
        &ScrollBar1,
        &EdtCompress,
        &GroupBox6,
        &ListBox1,
        &NoSPIPlugInMessage1,
        &NoSPIPlugInMessage2,
        &GroupBox7,
        &CmbPDFWriter,
        &Label4,
        &CmbPrinterDrv,
        &Label6,
        &RadioGroup1,
        &EdtAddNewPath,
        &EdtAddOldPath,
        &CkbAppendStr,
        &EdtApendStr,
        &RGDD,
        &ChkMergeFile,
        &CkbMessage,
        &CkbFormVisible,
        &CkbMergeFileDelete,
        &Label1,
        &UpdownEdit_delayTime,
        &Label3,
        &UpdownEdit_MergeDelayTime,
        &EdtXeroTime,
        &BtnAbout,
        &Button1,
    };

    Caption = "KorventＰＤＦ　　 Ｖｅｒ．１．３１";
    PageControl1.Items = {"", "", ""};  // captions are given at start-up
    PageControl1.ItemIndex = 0;

    GroupBox1.Text = "ファイル";
    BtnNewFiles.Text = "新規";
    BtnApendFile.Text = "追加";
    BitBtnUP.Text = "";  // shows an arrow glyph
    BtnUp.Text = "↑";
    BtnUp.Visible = false;
    BitBtnDown.Text = "";
    BtnDown.Text = "↓";
    BtnDown.Visible = false;
    BtnlClearList.Text = "削除";
    BtnAllClearList.Text = "全削除";
    BtnPDFAll.Text = "単独";
    BtnMerge.Text = "一括";
    BtnStopAutoCheck.Text = "停止";
    BtnAutoCheck.Text = "再開";
    GroupBox2.Text = "操作";
    GroupBox2.Visible = false;
    BtnPrint.Text = "印刷";
    BtnOpenFile.Text = "開く";
    GroupBox3.Text = "出力フォルダ";
    RBtnOutPut1.Text = "指定フォルダ";
    RBtnOutPut1.Checked = true;
    RBtnOutPut2.Text = "ファイルと同一フォルダ";
    LblFilePath.Background = clWhite;
    BtnSelectFolder.Text = "参照";
    GroupBox4.Text = "結合ファイル名：";
    RBtnMerge1.Text = "指定";
    EdtMergeFileName.Text = "MergeFile";
    RBtnMerge2.Text = "先頭のファイル名を使用　＜先頭に文字追加＞";
    RBtnMerge2.Checked = true;
    EdtMergeAddString.Text = "Merge";
    for (Control* label : {&Label5, &Label2, &LblFName}) {
        label->Background = clBtnFace;
    }
    RunProgress.Visible = false;

    GroupBox5.Text = "余白";
    for (Control* margin : {&MarginTop, &MarginBottom, &MarginLeft, &MarginRight}) {
        Numeric(*margin, 10, 0, 100);
    }
    RadioGroupGrPaperSize.Text = "用紙の大きさ";
    RadioGroupGrPaperSize.Items = {"", "指定", "画像の大きさに合わせる "};
    RadioGroupGrPaperSize.ItemIndex = 0;
    RGPaperDirection.Text = "向き";
    RGPaperDirection.Items = {"縦", "横"};
    RGPaperDirection.ItemIndex = 0;
    Numeric(EdtPaperWidth, 100, 1, 9999);
    Numeric(EdtPaperHeight, 100, 1, 9999);
    RGImageSize.Text = "画像の大きさ";
    RGImageSize.Items = {"原寸", "幅指定", "高さ指定"};
    RGImageSize.ItemIndex = 0;
    Numeric(EdtImageWidth, 100, 1, 9999);
    Numeric(EdtImageHeight, 100, 1, 9999);
    ChkBoxGraphicPropotion.Text = "縦横比を固定する。";
    ChkBoxGraphicPropotion.Checked = true;
    ChkBoxGraphicPropotion.Visible = false;
    ChkBoxGraphicCenter.Text = "画像を中央に表示する。";
    ChkBoxGraphicCenter.Checked = true;
    Label7.Text = "画像圧縮";
    // The scroll bar stops at 1: a JPEG quality of 0 does not exist.
    Numeric(ScrollBar1, 75, 1, 100);
    Numeric(EdtCompress, 75, 1, 100);
    GroupBox6.Text = "読込み済み　Susie Plug-in ";
    ListBox1.Enabled = false;
    NoSPIPlugInMessage1.Text = "Susie Plug-inが読み込まれていないため、";
    NoSPIPlugInMessage1.FontColor = clRed;
    NoSPIPlugInMessage2.Text = "bmp以外の画像はPDF出力ができません。";
    NoSPIPlugInMessage2.FontColor = clRed;

    GroupBox7.Text = "ＰＤＦ作成用仮想プリンタードライバ";
    Label4.Text = "PDF Writer";
    Label4.Visible = false;
    CmbPrinterDrv.Visible = false;
    Label6.Text = "プリンター";
    Label6.Visible = false;
    RadioGroup1.Text = "同名ファイルの処理";
    RadioGroup1.Items = {"上書き（確認メッセージあり）", "上書き（既存ファイル削除）",
                         "変換ファイル名変更 <文字追加>", "既存ファイル名変更 <文字追加>"};
    RadioGroup1.ItemIndex = 2;
    EdtAddNewPath.Text = "_new";
    EdtAddOldPath.Text = "_old";
    CkbAppendStr.Text = "ファイル名への追加文字";
    RGDD.Text = "ドラッグ＆ドロップの動作";
    RGDD.Items = {"ファイル名の登録", "単独ＰＤＦ変換の自動実行"};
    RGDD.ItemIndex = 0;
    ChkMergeFile.Text = "一括ＰＤＦ変換時に、単独ＰＤＦ変換したファイルを残す";
    ChkMergeFile.Checked = true;
    CkbMessage.Text = "変換完了時のメッセージの表示";
    CkbMessage.Checked = true;
    CkbFormVisible.Text = "フォームを表示しない";
    CkbFormVisible.Checked = true;
    CkbFormVisible.Visible = false;
    CkbMergeFileDelete.Text = "MergeList.txtの消去";
    CkbMergeFileDelete.Checked = true;
    CkbMergeFileDelete.Visible = false;
    Label1.Text = "ファイル名転送遅延カウンタ";
    Numeric(UpdownEdit_delayTime, 2, 1, 9);
    Label3.Text = "結合ファイル遅延カウンタ";
    Label3.Visible = false;
    Numeric(UpdownEdit_MergeDelayTime, 20, 1, 100);
    UpdownEdit_MergeDelayTime.Visible = false;
    EdtXeroTime.Text = "1500";
    EdtXeroTime.Visible = false;
    BtnAbout.Text = "ﾊﾞｰｼﾞｮﾝ情報";
    Button1.Visible = false;

    PopupMenu1 = {
        {"N1", "新規登録"},
        {"N2", "追加登録"},
        {"N10", "上へ"},
        {"N11", "下へ"},
        {"Delete1", "削除"},
        {"N3", "全削除"},
        {"N4", "-"},
        {"N5", "ＰＤＦ単独作成"},
        {"N6", "ＰＤＦ一括作成"},
        {"N7", "-"},
        {"N8", "停止"},
        {"N9", "再開"},
        {"N12", "-"},
        {"N13", "ファイルを開く"},
    };
    OpenDialog1.Filter = {
        {"すべてのﾌｧｲﾙ (*.*)", "*.*"},    {"ﾄﾞｷｭﾒﾝﾄﾌｧｲﾙ　(*.doc)", "*.doc"},
        {"EXCELﾌｧｲﾙ (*.xls)", "*.xls"},   {"ﾃｷｽﾄﾌｧｲﾙ　(*.txt)", "*.txt"},
        {"初期化ﾌｧｲﾙ　(*.ini)", "*.ini"}, {"PDFﾌｧｲﾙ　(*.pdf)", "*.pdf"},
    };
}

Control* FormModel::Find(std::string_view name) const {
    for (Control* control : fControls) {
        if (control->Name == name) {
            return control;
        }
    }
    return nullptr;
}

}  // namespace korvent::app
