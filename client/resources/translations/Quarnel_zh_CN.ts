<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>账户</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>退出登录</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>VPN 登录名：</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>更改</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>在网站上续订</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>在网站上购买 VPN 订阅</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>我们的网站支持多种支付方式，包括 Bitcoin、PayPal、Yandex Money 等。</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN 订阅到期时间：%1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>账户</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>连接详情</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>您未受保护</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>连接或断开连接</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>选择 VPN 位置</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN 订阅到期时间：%1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>请续订以继续受到保护。</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>续订订阅</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>您的系统不支持防火墙功能。</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>加载配置时出错。</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>加载证书时出错。</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>加载密钥时出错。</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>无法写入 OpenVPN 配置。</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>您的系统不支持更改时区。</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>由于缺少数据，时区未更改。</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>您已受保护</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>显示连接详情</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>正在连接...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>用户名或密码无效</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>无法打开 OpenVPN 套接字</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>无法分配 TUN 设备</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>无法连接到辅助服务</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>无法向辅助服务写入数据</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>找不到可供 OpenVPN 使用的空闲本地端口</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>代理需要身份验证</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>无法向 VPN 服务器发送数据</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>无法完成与 VPN 服务器的连接</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>无法启动 Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>错误代码：%1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>收藏</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>推荐</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>您必须输入用户名和密码才能登录。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>用户名或密码错误。</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>应用无法连接到 Orvessa。</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>应用无法访问网络。</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>您的版本已过时。请从 Orvessa 下载新版 Quarnel 应用。</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Quarnel 更新</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>有新的更新可用，是否下载？</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>下载更新时出错。</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>安装更新时出错。</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>VPN 连接处于活动状态。 
是否断开连接并退出登录？</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>您确定要退出登录吗？</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>退出登录</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>VPN 连接处于活动状态。是否断开连接并退出？</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>正在下载更新，请稍候...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
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
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>选择要用于连接的 VPN 登录名</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>继续</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>标准 VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>双重 VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>收藏夹</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>保存并返回</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>选择 VPN 协议：</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>VPN 协议</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>开机时自动启动</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>应用启动时连接 VPN</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>根据 IP 地址更改时区</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>在连接到 VPN 服务器后</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>断网保护</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>防止 IPv4、IPv6、DNS4、DNS6 泄露</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>允许访问本地设备</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>打印机、路由器等</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本：</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>连接详情</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>账户</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>退出登录</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>在网站上购买 VPN 订阅</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>我们的网站支持多种支付方式，包括 Bitcoin、PayPal、Yandex Money 等。</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>已连接到 %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>正在连接到 %1</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>您的连接当前不受保护！</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>连接到 %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>重新连接</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP（更安全）</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP（更快）</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>HTTPS 伪装</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
