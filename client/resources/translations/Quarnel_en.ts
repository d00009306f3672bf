<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Log out</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Login VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Renew on site</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Buy VPN subscription on the site</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN subscription expires: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Connection details</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>You are not protected</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Connect or disconnect</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Select VPN Location</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN subscription expires: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Renew it to stay protected.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Renew subscription</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Firewall does not support on your system.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Error of loading of the config.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Error of loading of the certificate.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Error of loading of the key.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>The OpenVPN configuration could not be written.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Timezone changes does not support on your system.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Timezone is not changed because of no data.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>You are protected</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Show connection</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connecting...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Invalid username or password</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>Not open openvpn socket</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>Can not alocate TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Can not connect to helper</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Can not write to helper</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Can not find a free local port for OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Proxy requires authentication</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Can not send data to the VPN server</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Can not complete the connection to the VPN server</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Can not start Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Code error: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Favorite</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Recommended</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Username</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Username</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>You must enter username and password to sign in.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Wrong Login/Password.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>Application has no access to Orvessa</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>Application has no access to network.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Your version is outdated. Please, download new Quarnel app on Orvessa</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Quarnel Update</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Available new update. Download it?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Error during downloading update.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Error during installing update.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>VPN connection is active. 
Disconnect and logout?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Do you want to logout?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Logout</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>VPN connection is active. Disconnect and exit?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Downloading update. Please wait...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Select VPN login to connect</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continue</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>Standard VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>Double VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favorites</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Save and go back</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>Choose VPN protocol:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>VPN protocol</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Launch on startup</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Connect to VPN when app is started</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Change timezone using IP address</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>After connection to VPN server</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>IPv4, IPv6, DNS4, DNS6 leaks protection</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Allow access to local devices</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Printers, routers, etc</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Connection Details</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Log out</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Buy VPN subscription on the site</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Connected to %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Connecting to %1</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>Your connection is not secured now!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Connect %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Reconnect</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (safer)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (faster)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Imitation HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
