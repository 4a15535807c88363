#pragma once

// Names of the local appearance database CLINFO.DB. Identifiers are unquoted,
// so the engine folds them to upper case; statements may spell them in any case.
namespace DbNames {

constexpr const char DefaultFile[] = "CLINFO.DB";
constexpr const char DefaultPassword[] = "quillbark";
constexpr const char User[] = "SYSDBA";

namespace ClientInfo {
constexpr const char Table[] = "CLIENT_INFO";
constexpr const char Id[] = "ID";
constexpr const char SysCaption[] = "SYS_CAPTION";
constexpr const char SysIco[] = "SYS_ICO";
constexpr const char Copyright[] = "COPYRIGHT";
constexpr const char FormState[] = "FORM_STATE";
constexpr const char FormStyle[] = "FORM_STYLE";
constexpr const char TopOpen[] = "TOP_OPEN";
constexpr const char TopHeight[] = "TOP_HEIGHT";
constexpr const char Logo[] = "LOGO";
constexpr const char TopBgGround[] = "TOP_BG_GROUND";
constexpr const char TopRight[] = "TOP_RIGHT";
constexpr const char BtnBackground[] = "BTN_BACKGROUND";
constexpr const char SysGround[] = "SYS_GROUND";
constexpr const char SysShow[] = "SYS_SHOW";
constexpr const char FormIcoMin[] = "FORM_ICO_MIN";
constexpr const char FormIcoClose[] = "FORM_ICO_CLOSE";
constexpr const char LogoShowModule[] = "LOGO_SHOWMODULE";
constexpr const char TopBgShowModule[] = "TOP_BG_SHOWMODULE";
constexpr const char TopRightShowModule[] = "TOP_RIGHT_SHOWMODULE";
constexpr const char SysGroundModule[] = "SYS_GROUNDMODULE";
constexpr const char SysShowModule[] = "SYS_SHOWMODULE";
} // namespace ClientInfo

namespace LoginInfo {
constexpr const char Table[] = "LOGIN_INFO";
constexpr const char Id[] = "ID";
constexpr const char Background[] = "BACKGROUND";
constexpr const char BgFlg[] = "BGFLG";
constexpr const char BtnSetImg[] = "BTN_SET_IMG";
constexpr const char BtnLoginImg[] = "BTN_LOGIN_IMG";
constexpr const char BtnCloseImg[] = "BTN_CLOSE_IMG";
constexpr const char TxtNameLtwh[] = "TXT_NAME_LTWH";
constexpr const char TxtPwdLtwh[] = "TXT_PWD_LTWH";
constexpr const char BtnSetLtwh[] = "BTN_SET_LTWH";
constexpr const char BtnLoginLtwh[] = "BTN_LOGIN_LTWH";
constexpr const char BtnCloseLtwh[] = "BTN_CLOSE_LTWH";
} // namespace LoginInfo

} // namespace DbNames
