#include "dealer/DealerTexts.h"

#include "platform/SysLocale.h"

namespace Halbrek {

int gLanguage = 1;

TextTable gMsgCommError;
TextTable gMsgPortError;
TextTable gMsgSystemError;
TextTable gMsgReadDone;
TextTable gMsgWriteDone;
TextTable gMsgMulWriteDone;

TextTable gMsgProtectError;
TextTable gProtectCaption;
TextTable gProtectQuestionLabel;
TextTable gProtectAnswerLabel;
TextTable gProtectNote;
TextTable gProtectOK;
TextTable gProtectCancel;

const TextTable kMulWriteIdle{QString(), QStringLiteral("&MulWrite"),
                              QStringLiteral("写入多台(&M)")};
const TextTable kMulWriteRunning{QString(), QStringLiteral("Stop &MulWrite"),
                                 QStringLiteral("停止写入多台(&M)")};
const TextTable kWritingData{QString(), QStringLiteral("Writting Data..."),
                             QStringLiteral("正在写设置数据...")};
const TextTable kWaitingNext{QString(), QStringLiteral("Waitting next..."),
                             QStringLiteral("请换下一台机器...")};
const TextTable kSerialNumberFull{
    QString(), QStringLiteral("Serial Number Overflow! MulWrite stopped before the next radio."),
    QStringLiteral("序列号已到最大值！批写入已在下一台机器前停止。")};

QString Text(const TextTable& table) {
    return table[gLanguage == 2 ? 2 : 1];
}

const std::vector<Caption>& MainCaptions() {
    static const std::vector<Caption> captions{
        {"Label4", u"Radio Count:", u"写入台数："},
        {"Label5", u"Radio No.:", u"当前台数："},
        {"Command4", u"&MulWrite", u"写入多台(&M)"},
        {"Command1", u"&Read", u"读出(&R)"},
        {"Command2", u"&Write", u"写入(&W)"},
        {"Command3", u"e&Xit", u"退出(&X)"},
        {"Command7", u"&Protect", u"密码保护(&P)"},
        {"Label2", u"Area Code", u"销售区号"},
        {"Label3", u"Com Port:", u"串口选择:"},
        {"Label1_0", u"Radio Type", u"机型"},
        {"Label1_1", u"Frequency", u"频段"},
        {"Label1_2", u"Serial Number", u"序列号"},
        {"Label1_3", u"Producted Date", u"出厂日期"},
        {"Label1_4", u"Maintained Date", u"维修日期"},
        {"Label1_5", u"Maintained Description", u"维修原因"},
        {"Label1_6", u"Version", u"固件版本"},
        {"Label1_7", u"Manufacture Code", u"生产批号"},
        {"Label1_8", u"User Code", u"客户代码"},
        {"Label1_9", u"Dealer Code", u"经销商代码"},
        {"Label1_10", u"Stock Date", u"入库时间"},
        {"Label1_11", u"Sell Date", u"销售时间"},
        {"Label1_12", u"Seller", u"经手人"},
        {"Label1_13", u"Program PassWord", u"写频密码"},
        {"Frame1", u"Radio Setting", u"机器配置"},
        {"Frame2", u"Dealer Information", u"经销商信息"},
        {"Check1", u"DTMF", u"DTMF"},
        {"Check2", u"Scramber", u"扰频"},
        {"Check3", u"Faint", u"遥晕"},
        {"Check4", u"Kill", u"遥毙"},
        {"Check5", u"Factory", u"工厂模式"},
    };
    return captions;
}

void ChooseLanguage() {
    const QString hex = QString::number(Platform::SystemDefaultLcid(), 16).toUpper();
    gLanguage = hex == QLatin1String("804") ? 2 : 1;
}

void FillProtectTexts() {
    const QString crlf = QStringLiteral("\r\n");
    gMsgProtectError[1] = QStringLiteral("Protect PassWord Answer Error!");
    gProtectCaption[1] = QStringLiteral("Protect PassWord");
    gProtectQuestionLabel[1] = QStringLiteral("Question");
    gProtectAnswerLabel[1] = QStringLiteral("Answer");
    gProtectNote[1] = QStringLiteral("For example,") + crlf +
                      QStringLiteral("Question Last four digits of your phone number") + crlf +
                      QStringLiteral("Answer 6688") + crlf + QStringLiteral("Note:") + crlf;
    gProtectOK[1] = QStringLiteral("&OK");
    gProtectCancel[1] = QStringLiteral("&Cancel");

    gMsgProtectError[2] = QStringLiteral("您没有正确回答密码保护问题！");
    gProtectCaption[2] = QStringLiteral("密码保护");
    gProtectQuestionLabel[2] = QStringLiteral("问题");
    gProtectAnswerLabel[2] = QStringLiteral("答案");
    gProtectNote[2] = QStringLiteral("例如:") + crlf + QStringLiteral("问题 您的电话号码后四位") +
                      crlf + QStringLiteral("答案 6688") + crlf + QStringLiteral("注:") + crlf +
                      QStringLiteral("问题不多于16个英文字符或8个中文字符") + crlf +
                      QStringLiteral("答案不多于8个英文字符或4个中文字符") + crlf;
    gProtectOK[2] = QStringLiteral("确定(&O)");
    gProtectCancel[2] = QStringLiteral("取消(&C)");
}

} // namespace Halbrek
