<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ButtonCaptions</name>
    <message>
        <location filename="../buttons/button_captions.h" line="+20"/>
        <source>&lt;未登録&gt;</source>
        <translation>&lt;not registered&gt;</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>登録</source>
        <translation>Register</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>解除</source>
        <translation>Unregister</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ボタン名</source>
        <translation>Button name</translation>
    </message>
</context>
<context>
    <name>ConnectionStatusTexts</name>
    <message>
        <location filename="../app/shown_texts.cpp" line="+33"/>
        <source>未接続</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>接続 %1</source>
        <translation>Connected %1</translation>
    </message>
</context>
<context>
    <name>ControlsRowTexts</name>
    <message>
        <location filename="../app/controls_row.cpp" line="+47"/>
        <source>繰り返し</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ステップ動作</source>
        <translation>Step mode</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>付加無し</source>
        <translation>None</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CR 付加</source>
        <translation>Add CR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CR+NL 付加</source>
        <translation>Add CR+NL</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>NL 付加</source>
        <translation>Add NL</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>改行</source>
        <translation>Line end</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>エンコード</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>送信</source>
        <translation>Send</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ターミナル</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>オープン ...</source>
        <translation>Open ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>設定 ...</source>
        <translation>Settings ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>クローズ</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>DialogButtonsRow</name>
    <message>
        <location filename="../buttons/dialog_buttons_row.cpp" line="+18"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DialogControls</name>
    <message>
        <location filename="../commands/dialog_controls.cpp" line="+39"/>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>EscapeLegendTexts</name>
    <message>
        <location filename="../grid/escape_legend.cpp" line="+17"/>
        <source>0x09 (タブ)</source>
        <translation>0x09 (tab)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>0x07 (ベル)</source>
        <translation>0x07 (bell)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>0x0C (改ページ)</source>
        <translation>0x0C (form feed)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>0x0B (垂直タブ)</source>
        <translation>0x0B (vertical tab)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>16進 2桁の値</source>
        <translation>value of 2 hex digits</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>8進 3桁の値</source>
        <translation>value of 3 octal digits</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>送信データのエスケープ表記:</source>
        <translation>Escapes in the send data:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>表記</source>
        <translation>Escape</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>バイト</source>
        <translation>Byte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>例</source>
        <translation>Example</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1。</source>
        <translation>%1.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>UTF-8 ではエスケープは展開されず、書いたとおりに送信されます</source>
        <translation>In UTF-8, escapes are not expanded; the text is sent as written</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>\ 展開なし</source>
        <translation>\ not expanded</translation>
    </message>
</context>
<context>
    <name>ExpectationLegendTexts</name>
    <message>
        <source>文字列</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>応答がこのバイト列を含めば合格 (送信データと同じエスケープ表記)</source>
        <translation>Passes when the answer contains these bytes (the same escapes as the send data)</translation>
    </message>
    <message>
        <source>re:正規表現</source>
        <translation>re:expression</translation>
    </message>
    <message>
        <source>表のエンコードで読んだ応答の中にこの正規表現が見つかれば合格</source>
        <translation>Passes when this regular expression is found in the answer, read in the table's encoding</translation>
    </message>
    <message>
        <source>期待応答: 空欄の行は応答をチェックしません。</source>
        <translation>Expected answer: a row left empty does not check its answer.</translation>
    </message>
    <message>
        <source>直前に合格した re: チェックのグループ n が読んだバイト列を送信</source>
        <translation>Sends the bytes group n of the latest passing re: check read</translation>
    </message>
    <message>
        <source>行 r の re: チェックのグループ n を送信</source>
        <translation>Sends group n of row r&apos;s re: check</translation>
    </message>
    <message>
        <source>値がまだ無い参照を含む行は送信せず、その行で停止します。参照でない { } はそのまま送信します ({1} そのものは \{1} と書きます)。</source>
        <translation>A row whose reference has no value yet is not sent: the run stops on it. Braces that are no reference are sent as written (write \{1} to send {1} itself).</translation>
    </message>
</context>
<context>
    <name>FileReports</name>
    <message>
        <location filename="../app/file_reports.cpp" line="+44"/>
        <source>設定ファイルを保存できませんでした</source>
        <translation>The settings file could not be saved</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>設定ファイルを読み込めませんでした</source>
        <translation>The settings file could not be read</translation>
    </message>
</context>
<context>
    <name>FixedPitchFont</name>
    <message>
        <source>日本語の字形</source>
        <translation>Latin faces</translation>
    </message>
</context>
<context>
    <name>LayoutProfiles</name>
    <message>
        <location filename="../app/wirevane_dlg.cpp" line="+200"/>
        <source>デフォルト</source>
        <translation>Default</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>カスタム</source>
        <translation>Custom</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <location filename="../app/main_menus.cpp" line="+56"/>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>新規 （現在の送信データをすべて破棄）</source>
        <translation>New (discards all current send data)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>設定ファイル再読込 (Wirevane.ini)</source>
        <translation>Reload settings file (Wirevane.ini)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>設定ファイルを指定して読込 ...</source>
        <translation>Load settings file ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>設定ファイルを別名で保存 ...</source>
        <translation>Save settings file as ...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>設定ファイルにウインドウ位置情報を登録</source>
        <translation>Store window positions in the settings file</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+62"/>
        <source>一時保存</source>
        <translation>Temporary save</translation>
    </message>
    <message>
        <location line="-61"/>
        <source>一時保存の読込</source>
        <translation>Load temporary save</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+61"/>
        <source>全選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <location line="-60"/>
        <source>全非選択</source>
        <translation>Deselect all</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>選択行の一括変更 ...</source>
        <translation>Change selected rows ...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>フォント変更 ..</source>
        <translation>Font ..</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>エンコード</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>ステップ動作</source>
        <translation>Step mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>応答待ちタイムアウト [ms] ...</source>
        <translation>Answer time-out [ms] ...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>シリアルポート</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+32"/>
        <source>接続</source>
        <translation>Connect</translation>
    </message>
    <message>
        <location line="-31"/>
        <source>設定 ...</source>
        <translation>Settings ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+32"/>
        <source>切断</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>ブレークを送信</source>
        <translation>Send break</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>自動再接続</source>
        <translation>Reconnect automatically</translation>
    </message>
    <message>
        <source>USB 低遅延モード</source>
        <translation>USB low-latency mode</translation>
    </message>
    <message>
        <source>実行中はリアルタイム優先度</source>
        <translation>Realtime priority while running</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+26"/>
        <source>ターミナル</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <location line="-25"/>
        <source>登録 ボタン</source>
        <translation>Button array</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>記号 ...</source>
        <translation>Symbols ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>詳細表示</source>
        <translation>Detail view</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>デスクトップに従う</source>
        <translation>Follow the desktop</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>バージョン情報 ...</source>
        <translation>About ...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>登録ボタン</source>
        <translation>Buttons</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>.一時読込</source>
        <translation>Temp load</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>非選択</source>
        <translation>Deselect</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>送信</source>
        <translation>Send</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>チェック失敗で停止</source>
        <translation>Stop at a failed check</translation>
    </message>
</context>
<context>
    <name>PortOptionsCommands</name>
    <message>
        <location filename="../app/port_options_commands.cpp" line="+38"/>
        <source>応答待ちタイムアウト</source>
        <translation>Answer time-out</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>受信待ちの行が応答を待つ上限 [ms]（0 は無制限）:</source>
        <translation>Longest wait of a row for its answer [ms] (0: no limit):</translation>
    </message>
</context>
<context>
    <name>RunChoices</name>
    <message>
        <location filename="../app/run_choices.cpp" line="+90"/>
        <source>%1 (選択中の %2 行)</source>
        <translation>%1 (%2 selected rows)</translation>
    </message>
</context>
<context>
    <name>RunControls</name>
    <message>
        <source>チェック: %1 合格, %2 不合格</source>
        <translation>Checks: %1 passed, %2 failed</translation>
    </message>
    <message>
        <source>リアルタイム優先度が拒否されたため、通常の優先度で実行します（%1）。許可するには: %2</source>
        <translation>Realtime priority was refused, so the run goes on at normal priority (%1). To allow it: %2</translation>
    </message>
    <message>
        <source>待機中のプロセッサを起こしたままにできません（%1）。許可するには: %2</source>
        <translation>The idle processors may not be kept awake (%1). To allow it: %2</translation>
    </message>
</context>
<context>
    <name>SendTableColumns</name>
    <message>
        <location filename="../grid/send_table_columns.cpp" line="+23"/>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>送信する</source>
        <translation>Send</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>選択</source>
        <translation>Sel.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>送信データ</source>
        <translation>Send data</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>受信待</source>
        <translation>Wait</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>遅延[ms]</source>
        <translation>Delay[ms]</translation>
    </message>
    <message>
        <source>期待応答</source>
        <translation>Expected answer</translation>
    </message>
</context>
<context>
    <name>SendTableStatus</name>
    <message>
        <source>送信済</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>受信待</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>受信済</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Halt</translation>
    </message>
    <message>
        <source>ｽﾃｯﾌﾟ停止</source>
        <translation>Step stop</translation>
    </message>
</context>
<context>
    <name>SettingsCommandTexts</name>
    <message>
        <location filename="../app/shown_texts.cpp" line="-13"/>
        <source>設定ファイル 読込</source>
        <translation>Load settings file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>設定ファイル 保存</source>
        <translation>Save settings file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>設定ファイル再読込 (Wirevane.ini)        </source>
        <translation>Reload the settings file (Wirevane.ini)        </translation>
    </message>
</context>
<context>
    <name>TypedPort</name>
    <message>
        <location filename="../serial/dialogs/typed_port.cpp" line="+28"/>
        <source>ポート名を入力してください。</source>
        <translation>Enter a port name.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ポート「%1」が見つかりません (%2)。</source>
        <translation>Port &quot;%1&quot; not found (%2).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>「%1」はシリアルポートではありません (%2)。</source>
        <translation>&quot;%1&quot; is not a serial port (%2).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ポート「%1」を開く権限がありません (%2)。</source>
        <translation>No permission to open port &quot;%1&quot; (%2).</translation>
    </message>
</context>
<context>
    <name>wirevane::CAboutDlg</name>
    <message>
        <location filename="../app/about_dlg.cpp" line="+15"/>
        <source>バージョン情報 Wirevane</source>
        <translation>About Wirevane</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>シリアルポート送信シーケンサ</source>
        <translation>Serial port send sequencer</translation>
    </message>
</context>
<context>
    <name>wirevane::CComSelectDlg</name>
    <message>
        <location filename="../serial/dialogs/com_select_dlg.cpp" line="+41"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>wirevane::CCommEdit</name>
    <message>
        <location filename="../terminal/comm_edit.cpp" line="+124"/>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>貼り付けたテキスト %1 バイトを送信しますか?</source>
        <translation>Send the %1 bytes of pasted text?</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogButtonArray</name>
    <message>
        <location filename="../buttons/dialog_button_array.cpp" line="+80"/>
        <source>設定...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>グループ</source>
        <translation>Group</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>読込のみ</source>
        <translation>Load only</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>読込 &amp;&amp; 送信</source>
        <translation>Load &amp;&amp; send</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>設定ファイルが登録されていません</source>
        <translation>No settings file is registered</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>設定ファイルが見つかりません</source>
        <translation>The settings file is not found</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>設定ファイルを読み込めませんでした</source>
        <translation>The settings file could not be read</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> 読込 済</source>
        <translation> loaded</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>設定ファイル 指定</source>
        <translation>Choose settings file</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>ボタン 登録を解除します        

現在の登録  %1         </source>
        <translation>Unregister the button        

Current registration  %1         </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ボタン 解除</source>
        <translation>Unregister button</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>設定ファイルを保存できませんでした</source>
        <translation>The settings file could not be saved</translation>
    </message>
    <message>
        <source>送信済</source>
        <translation>Sent</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogButtonArraySettings</name>
    <message>
        <location filename="../buttons/dialog_button_array_settings.cpp" line="+17"/>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>ボタン 設定ファイルを登録する</source>
        <translation>Register a settings file on a button</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ボタン 設定ファイルを解除する</source>
        <translation>Unregister a button&apos;s settings file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ボタン名変更</source>
        <translation>Rename a button</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>グループ %1 タイトル</source>
        <translation>Group %1 title</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogButtonRegistType</name>
    <message>
        <location filename="../buttons/dialog_button_regist_type.cpp" line="+12"/>
        <source>登録方法</source>
        <translation>Registration</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>既存の設定ファイルを登録</source>
        <translation>Register an existing settings file</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>現在のデータテーブルを保存し登録</source>
        <translation>Save the current data table and register it</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogButtonText</name>
    <message>
        <location filename="../buttons/dialog_button_text.cpp" line="+13"/>
        <location line="+2"/>
        <source>ボタン名</source>
        <translation>Button name</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogExit</name>
    <message>
        <location filename="../app/dialog_exit.cpp" line="+28"/>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>終了します</source>
        <translation>The program will exit</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>保存して終了</source>
        <translation>Save and exit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存せず終了</source>
        <translation>Exit without saving</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogNewDataTX</name>
    <message>
        <location filename="../commands/dialog_new_data_tx.cpp" line="+18"/>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>初期データ</source>
        <translation>Initial data</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>送信データ</source>
        <translation>Send data</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>受信待</source>
        <translation>Wait RX</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>遅延 [ms]</source>
        <translation>Delay [ms]</translation>
    </message>
    <message>
        <source>期待応答</source>
        <translation>Expected answer</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogNotation</name>
    <message>
        <location filename="../commands/dialog_notation.cpp" line="+25"/>
        <source>データ送信 完了</source>
        <translation>Data sent</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>受信待ち</source>
        <translation>Waiting for reception</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ステップ動作による停止</source>
        <translation>Stopped by step mode</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+1"/>
        <source>記号</source>
        <translation>Symbols</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>エスケープ表記 (送信データ)</source>
        <translation>Escapes (send data)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>表記</source>
        <translation>Escape</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>バイト</source>
        <translation>Byte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>例</source>
        <translation>Example</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>送信バイト</source>
        <translation>Bytes sent</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1。</source>
        <translation>%1.</translation>
    </message>
    <message>
        <location line="-40"/>
        <source>キー操作</source>
        <translation>Keys</translation>
    </message>
    <message>
        <location line="-24"/>
        <source>送信</source>
        <translation>Send</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>応答チェック 合格 (OK)</source>
        <translation>Answer check passed (OK)</translation>
    </message>
    <message>
        <source>応答チェック 失敗 (NG)</source>
        <translation>Answer check failed (NG)</translation>
    </message>
    <message>
        <source>期待応答の書式</source>
        <translation>Forms of the expected answer</translation>
    </message>
    <message>
        <source>応答の値 (送信データ)</source>
        <translation>Values from answers (send data)</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogProperty</name>
    <message>
        <location filename="../commands/dialog_property.cpp" line="+19"/>
        <source>一括変更</source>
        <translation>Bulk change</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>選択行の一括変更</source>
        <translation>Change the selected rows</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>送信データ を変更する</source>
        <translation>Change send data</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>受信待ち を変更する</source>
        <translation>Change wait RX</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>停止 を変更する</source>
        <translation>Change stop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>遅延 を変更する</source>
        <translation>Change delay</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>期待応答 を変更する</source>
        <translation>Change expected answer</translation>
    </message>
</context>
<context>
    <name>wirevane::CDialogTerminal</name>
    <message>
        <location filename="../terminal/dialog_terminal.cpp" line="+98"/>
        <source>ログ開始...</source>
        <translation>Start log...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ログ停止</source>
        <translation>Stop log</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>タイムスタンプ</source>
        <translation>Time stamps</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>受信した行の先頭に、最初のバイトを受信した時刻を表示します</source>
        <translation>Shows at the start of each received line the time its first byte arrived</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>テキストのみ</source>
        <translation>Text only</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>テキストと16進ダンプ</source>
        <translation>Text and hex dump</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>16進ダンプのみ</source>
        <translation>Hex dump only</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>接続</source>
        <translation>Connect</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>設定 ...</source>
        <translation>Settings ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>切断</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ブレークを送信</source>
        <translation>Send break</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>すべてを削除</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存 ...</source>
        <translation>Save ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>フォント変更 ...</source>
        <translation>Font ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ZAREL 7 (テスター)</source>
        <translation>ZAREL 7 (tester)</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+100"/>
        <source>エンコード</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <location line="-96"/>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>シリアルポート</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>すべて削除</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ローカルエコー</source>
        <translation>Local echo</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>改行</source>
        <translation>Line end</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>受信 変換無</source>
        <translation>RX as received</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>受信 CR→CR+NL</source>
        <translation>RX CR→CR+NL</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>受信 NL→CR+NL</source>
        <translation>RX NL→CR+NL</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>受信したとおりに表示します。CR LF だけが改行になり、単独の CR と LF は小さな印で示します</source>
        <translation>Shows the text as received. Only CR LF breaks a line; a lone CR or LF is shown as a small mark</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>受信した CR をすべて CR LF にします。CR で行を終える機器向けです</source>
        <translation>Turns every received CR into CR LF, for devices that end lines with CR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>受信した LF をすべて CR LF にします。LF で行を終える機器向けです</source>
        <translation>Turns every received LF into CR LF, for devices that end lines with LF</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>送信 CR</source>
        <translation>TX CR</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>送信 CR+NL</source>
        <translation>TX CR+NL</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>送信 NL</source>
        <translation>TX NL</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+122"/>
        <source>ログ停止: %1: %2</source>
        <translation>Log stopped: %1: %2</translation>
    </message>
    <message>
        <location line="-122"/>
        <source>Wirevane の設定ファイルです。ログで上書きすることはできません。</source>
        <translation>This is one of Wirevane&apos;s own settings files; a log cannot be written over it.</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>ターミナル テキスト保存</source>
        <translation>Save terminal text</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>受信行の数値をグラフへ</source>
        <translation>Numbers from lines to the chart</translation>
    </message>
    <message>
        <source>受信した行の数値を系列としてグラフに送ります (例: 12.5、1.0, 2.0、temp:21.4 hum=48)</source>
        <translation>Sends the numbers of each received line to the chart as series (e.g. 12.5, 1.0, 2.0, temp:21.4 hum=48)</translation>
    </message>
    <message>
        <source>CSV 記録開始...</source>
        <translation>Start CSV recording...</translation>
    </message>
</context>
<context>
    <name>wirevane::CGridListCtrlEx</name>
    <message>
        <location filename="../grid/grid_list_ctrl_ex_input.cpp" line="+392"/>
        <source>列(縦) プロフィール</source>
        <translation>Column profiles</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>リセット 列(縦)</source>
        <translation>Reset columns</translation>
    </message>
</context>
<context>
    <name>wirevane::CGridListCtrlGroups</name>
    <message>
        <location filename="../grid/grid_list_ctrl_groups.cpp" line="+86"/>
        <source>グループ表示「%1」</source>
        <translation>Group by &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>グループ表示解除</source>
        <translation>Ungroup</translation>
    </message>
</context>
<context>
    <name>wirevane::CPageComEvents</name>
    <message>
        <location filename="../serial/dialogs/page_com_events.cpp" line="+82"/>
        <source>0 から 255 までの整数を入力してください。</source>
        <translation>Enter a whole number from 0 to 255.</translation>
    </message>
</context>
<context>
    <name>wirevane::CPageComSettings</name>
    <message>
        <location filename="../serial/dialogs/page_com_settings.cpp" line="+104"/>
        <source>ボーレートには %1 から %2 までの整数を入力してください。</source>
        <translation>Enter a whole baud rate from %1 to %2.</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>ドライバーの応答: %1 bps に設定</source>
        <translation>Driver answered: set to %1 bps</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ドライバーの応答: %1</source>
        <translation>Driver answered: %1</translation>
    </message>
    <message>
        <source>USB レイテンシタイマー: %1 ms</source>
        <translation>USB latency timer: %1 ms</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>(未選択)</source>
        <translation>(none chosen)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ポートが %1 「%2」を受け付けませんでした。
以前の設定のままです。</source>
        <translation>The port did not accept %1 &quot;%2&quot;.
The previous settings remain.</translation>
    </message>
</context>
<context>
    <name>wirevane::CWirevaneDlg</name>
    <message>
        <location filename="../app/wirevane_dlg.cpp" line="-44"/>
        <source>メモリ不足エラー ... 終了        </source>
        <translation>Out of memory ... exiting        </translation>
    </message>
    <message>
        <location filename="../app/wirevane_dlg_language.cpp" line="+199"/>
        <source>表示の言語は次に起動したときから変わります。</source>
        <translation>The interface language changes the next time Wirevane starts.</translation>
    </message>
</context>
<context>
    <name>wirevane::DelayValidator</name>
    <message>
        <location filename="../grid/decimal_validator.cpp" line="+22"/>
        <source>遅延は 0 から %1 までの整数 [ms] で入力してください</source>
        <translation>Enter the delay as a whole number of milliseconds from 0 to %1</translation>
    </message>
</context>
<context>
    <name>wirevane::ExpectationValidator</name>
    <message>
        <source>この正規表現は使えません: %1</source>
        <translation>This regular expression cannot be used: %1</translation>
    </message>
</context>
<context>
    <name>wirevane::FindBar</name>
    <message>
        <location filename="../terminal/find_bar.cpp" line="+17"/>
        <source>検索 ...</source>
        <translation>Find ...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>大文字と小文字を区別</source>
        <translation>Match case</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>探す文字列</source>
        <translation>Text to find</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>前へ</source>
        <translation>Previous</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>検索バーを閉じる (Esc)</source>
        <translation>Close the find bar (Esc)</translation>
    </message>
    <message>
        <location line="+107"/>
        <source>見つかりません</source>
        <translation>Not found</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 件以上</source>
        <translation>%1 or more</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 件</source>
        <translation>%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
</context>
<context>
    <name>wirevane::HexTrafficView</name>
    <message>
        <location filename="../terminal/hex_traffic_view.cpp" line="+141"/>
        <source>すべてコピー</source>
        <translation>Copy all</translation>
    </message>
</context>
<context>
    <name>wirevane::LogStartDialog</name>
    <message>
        <location filename="../terminal/log_start_dialog.cpp" line="+20"/>
        <source>ログ開始</source>
        <translation>Start log</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>追記</source>
        <translation>Append</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>上書き</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>既存のファイル</source>
        <translation>Existing file</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>表示されたテキスト</source>
        <translation>The text as shown</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>送受信したバイト (16進、時刻と方向付き)</source>
        <translation>Bytes sent and received (hex, with time and direction)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>内容</source>
        <translation>Content</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>文字コード</source>
        <translation>Character encoding</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>受信した行に時刻を付ける</source>
        <translation>Time-stamp received lines</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>ログファイル</source>
        <translation>Log file</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>ログ (*.log *.txt);;すべてのファイル (*)</source>
        <translation>Logs (*.log *.txt);;All files (*)</translation>
    </message>
</context>
<context>
    <name>wirevane::PasteSender</name>
    <message>
        <location filename="../terminal/paste_sender.cpp" line="+17"/>
        <source>貼り付けたテキストを送信しています...</source>
        <translation>Sending the pasted text...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
</context>
<context>
    <name>wirevane::RecordView</name>
    <message>
        <location filename="../terminal/record_view.cpp" line="+151"/>
        <source>[古い受信テキストは表示から外しました。表示は最新の %1 文字、保存は最新の %2 文字まで残しています]</source>
        <translation>[Older received text was removed from the view. The view keeps the newest %1 characters, saving keeps the newest %2]</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>[古い受信テキストは削除されました。最新の %1 文字を残しています]</source>
        <translation>[Older received text was deleted. The newest %1 characters are kept]</translation>
    </message>
</context>
<context>
    <name>wirevane::ChartWindow</name>
    <message>
        <source>グラフ</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>表示を止めます。読み取り値はその間も記録されます</source>
        <translation>Holds the view; readings are still kept meanwhile</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>1 分</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>10 分</source>
        <translation>10 min</translation>
    </message>
    <message>
        <source>1 時間</source>
        <translation>1 h</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>CSV 記録開始...</source>
        <translation>Start CSV recording...</translation>
    </message>
    <message>
        <source>CSV 記録停止</source>
        <translation>Stop CSV recording</translation>
    </message>
    <message>
        <source>CSV に保存...</source>
        <translation>Save as CSV...</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>値の範囲</source>
        <translation>Value range</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>上</source>
        <translation>High</translation>
    </message>
    <message>
        <source>リミット</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>系列</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Low limit</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>High limit</translation>
    </message>
    <message>
        <source>メモリの上限 (系列ごとに %1 点、1 点 16 バイト) に達したため、古い読み取り値から捨てています</source>
        <translation>The memory bound (%1 points a series, 16 bytes a point) is reached: the oldest readings are being dropped</translation>
    </message>
    <message>
        <source>系列は %1 個までです。ほかの系列の読み取り値 %2 個は表示しません</source>
        <translation>At most %1 series are kept; %2 readings of other series are not shown</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Span</translation>
    </message>
    <message>
        <source>個数</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>最新</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>範囲外</source>
        <translation>Out of range</translation>
    </message>
    <message>
        <source>最後の範囲外</source>
        <translation>Last out of range</translation>
    </message>
    <message>
        <source>表示中</source>
        <translation>In view</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>All</translation>
    </message>
    <message>
        <source>数値を入力してください</source>
        <translation>Type a number</translation>
    </message>
    <message>
        <source>上は下より大きくしてください</source>
        <translation>High must be above low</translation>
    </message>
    <message>
        <source>数値を入力するか、空にしてください</source>
        <translation>Type a number or leave it empty</translation>
    </message>
    <message>
        <source>上限は下限以上にしてください</source>
        <translation>The high limit must not be below the low limit</translation>
    </message>
    <message>
        <source>CSV 記録停止: %1: %2</source>
        <translation>CSV recording stopped: %1: %2</translation>
    </message>
    <message>
        <source>CSV 記録開始</source>
        <translation>Start CSV recording</translation>
    </message>
    <message>
        <source>CSV に保存</source>
        <translation>Save as CSV</translation>
    </message>
    <message>
        <source>CSV 記録中: %1</source>
        <translation>Recording CSV: %1</translation>
    </message>
</context>
<context>
    <name>wirevane::PlotWidget</name>
    <message>
        <source>読み取り値はまだありません</source>
        <translation>No readings yet</translation>
    </message>
    <message>
        <source>時刻 (目盛 %1)</source>
        <translation>Time (ticks every %1)</translation>
    </message>
    <message>
        <source>1: %1   2: %2   差: %3 s, %4</source>
        <translation>1: %1   2: %2   difference: %3 s, %4</translation>
    </message>
    <message>
        <source>1: %1   (2 点目をクリック)</source>
        <translation>1: %1   (click a second point)</translation>
    </message>
</context>
</TS>
