#include "refusal.h"

#include <string_view>

namespace folder_check {

namespace {

struct Texts {
    std::wstring_view japanese;
    std::wstring_view english;
};

// @ stands for the path, # for the error code.
Texts texts_of(Reason reason) {
    switch (reason) {
        case Reason::not_a_local_folder:
            return {
                L"@ にはインストールできません。ドライブ文字で始まるフォルダー (例: "
                L"C:\\Tools\\Pelmora) を指定してください。ドライブのルートは指定できません。",
                L"Pelmora cannot be installed in @. Give a folder that starts with a drive "
                L"letter (for example C:\\Tools\\Pelmora), not a drive's root."};
        case Reason::not_on_a_fixed_drive:
            return {
                L"@ は、アクセス許可を保存できないドライブ (ネットワーク ドライブ、リムーバブル "
                L"ドライブ、FAT 形式のドライブなど) にあります。ローカルの NTFS "
                L"ドライブのフォルダーを指定してください。",
                L"@ is on a drive that cannot keep permissions (a network or removable drive, "
                L"or a FAT drive). Give a folder on a local NTFS drive."};
        case Reason::link:
            return {
                L"@ はリンク (ジャンクションまたはシンボリック リンク) です。安全のため、"
                L"リンクを含むフォルダーにはインストールせず、その中のファイルも削除しません。"
                L"リンクを取り除くか、別のフォルダーを指定してください。",
                L"@ is a link (a junction or a symbolic link). For safety, nothing is "
                L"installed into or removed from a folder that holds a link. Remove the link, "
                L"or give another folder."};
        case Reason::foreign_file:
            return {
                L"@ は Pelmora のファイルではありません。インストール先には、"
                L"空のフォルダーか新しいフォルダーを指定してください。",
                L"@ is not one of Pelmora's files. Give an empty or a new folder to install "
                L"into."};
        case Reason::changeable_by_users:
            return {
                L"@ は、管理者以外のユーザーも変更できるフォルダーです。その中にはインストール"
                L"できません。管理者だけが変更できるフォルダー (例: C:\\Program Files) "
                L"の中を指定してください。",
                L"Users other than the administrators can change @, so Pelmora cannot be "
                L"installed inside it. Give a folder inside one that only administrators can "
                L"change (C:\\Program Files, for example)."};
        case Reason::in_use:
            return {
                L"@ は他のプログラムが使用しています。そのプログラムを閉じてから、"
                L"もう一度実行してください。",
                L"@ is in use by another program. Close that program, then run this again."};
        case Reason::failed:
            return {L"@ を作成できないか、アクセス許可を設定できませんでした (エラー #)。",
                    L"@ could not be created, or its permissions could not be set (error #)."};
        case Reason::moved_in_maintenance:
            return {
                L"Pelmora は @ にインストールされています。修復や変更では、インストール先を"
                L"変えられません。別のフォルダーに移すには、アンインストールしてから"
                L"インストールし直してください。",
                L"Pelmora is installed in @. A repair or a change cannot move it: to move it, "
                L"uninstall it, then install it again."};
        case Reason::none:
            break;
    }
    return {};
}

}  // namespace

std::wstring refusal_text(const Refusal& refusal, bool japanese) {
    const Texts texts = texts_of(refusal.reason);
    std::wstring text;
    for (const wchar_t c : japanese ? texts.japanese : texts.english) {
        if (c == L'@') {
            text += refusal.path;
        } else if (c == L'#') {
            text += std::to_wstring(refusal.error);
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace folder_check
