<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>アカウント</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>ログアウト</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>VPNログイン:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>サイトで更新</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>サイトでVPNサブスクリプションを購入</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>サイトでは、Bitcoin、PayPal、Yandex Money など、さまざまな決済方法でお支払いいただけます。</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPNサブスクリプションの有効期限: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>アカウント</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>接続の詳細</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>保護されていません</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>接続または切断</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>VPNロケーションを選択</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPNサブスクリプションの有効期限: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>保護を継続するには、サブスクリプションを更新してください。</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>サブスクリプションを更新</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>このシステムではファイアウォールがサポートされていません。</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>設定の読み込み中にエラーが発生しました。</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>証明書の読み込み中にエラーが発生しました。</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>鍵の読み込み中にエラーが発生しました。</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>OpenVPNの設定を書き込めませんでした。</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>このシステムではタイムゾーンの変更がサポートされていません。</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>データがないため、タイムゾーンは変更されませんでした。</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>保護されています</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>接続の詳細を表示</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>接続中...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>ユーザー名またはパスワードが正しくありません</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>OpenVPNソケットを開けません</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>TUNデバイスを割り当てられません</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>ヘルパーサービスに接続できません</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>ヘルパーサービスにデータを書き込めません</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>OpenVPN用の空きローカルポートが見つかりません</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>プロキシの認証が必要です</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>VPNサーバーにデータを送信できません</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>VPNサーバーへの接続を完了できません</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Brumeを起動できません</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>エラーコード: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>お気に入り</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>おすすめ</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>ログインするには、ユーザー名とパスワードを入力してください。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>ユーザー名またはパスワードが正しくありません。</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>アプリがOrvessaに接続できません。</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>アプリがネットワークにアクセスできません。</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>お使いのバージョンは古くなっています。Orvessaから新しいQuarnelアプリをダウンロードしてください。</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Quarnelのアップデート</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>新しいアップデートがあります。ダウンロードしますか？</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>アップデートのダウンロード中にエラーが発生しました。</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>アップデートのインストール中にエラーが発生しました。</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>VPN接続が有効です。 
切断してログアウトしますか？</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>ログアウトしますか？</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>ログアウト</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>VPN接続が有効です。切断して終了しますか？</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>アップデート</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>アップデートをダウンロードしています。しばらくお待ちください...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>ロケーション</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>接続に使用するVPNログインを選択してください</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>続行</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>標準VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>ダブルVPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>お気に入り</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>保存して戻る</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>言語:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>VPNプロトコルを選択:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>VPNプロトコル</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>システム起動時に自動起動</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>アプリ起動時にVPNに接続</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>IPアドレスでタイムゾーンを変更</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>VPNサーバーへの接続後</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>キルスイッチ</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>IPv4、IPv6、DNS4、DNS6のリークを防止</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>ローカル機器へのアクセスを許可</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>プリンター、ルーターなど</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>バージョン:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>接続の詳細</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>アカウント</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>ログアウト</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>サイトでVPNサブスクリプションを購入</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>サイトでは、Bitcoin、PayPal、Yandex Money など、さまざまな決済方法でお支払いいただけます。</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>%1に接続しました</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>%1に接続しています</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>現在、接続は保護されていません！</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>%1に接続</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>再接続</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP（より安全）</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP（より高速）</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>HTTPS偽装</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
