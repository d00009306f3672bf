<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr_TR">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Geri</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Hesap</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Çıkış yap</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>VPN hesabı:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Değiştir</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Sitede yenile</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Sitede VPN aboneliği satın al</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Sitede Bitcoin, PayPal, Yandex Money ve diğerleri dahil olmak üzere çeşitli ödeme sistemleriyle ödeme kabul ediyoruz.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN aboneliğinin bitiş tarihi: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Hesap</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Bağlantı ayrıntıları</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Korunmuyorsunuz</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Bağlan veya bağlantıyı kes</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>VPN konumu seçin</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN aboneliğinin bitiş tarihi: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Korunmaya devam etmek için aboneliğinizi yenileyin.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Aboneliği yenile</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Güvenlik duvarı bu sistemde desteklenmiyor.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Yapılandırma yüklenirken hata oluştu.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Sertifika yüklenirken hata oluştu.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Anahtar yüklenirken hata oluştu.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>OpenVPN yapılandırması yazılamadı.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Saat dilimi değiştirme bu sistemde desteklenmiyor.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Veri olmadığı için saat dilimi değiştirilmedi.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Korunuyorsunuz</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Bağlantı ayrıntılarını göster</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Bağlanıyor...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Geçersiz kullanıcı adı veya şifre</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>OpenVPN soketi açılamadı</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>TUN aygıtı ayrılamadı</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Yardımcı hizmete bağlanılamadı</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Yardımcı hizmete veri yazılamadı</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>OpenVPN için boş bir yerel bağlantı noktası bulunamadı</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Proxy kimlik doğrulaması gerektiriyor</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>VPN sunucusuna veri gönderilemedi</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>VPN sunucusuyla bağlantı tamamlanamadı</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Brume başlatılamadı</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Hata kodu: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Favori</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Önerilen</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Kullanıcı adı</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Kullanıcı adı</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Şifre</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Giriş yap</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Giriş yapmak için kullanıcı adınızı ve şifrenizi girmelisiniz.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Kullanıcı adı veya şifre yanlış.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>Uygulama Orvessa&apos;ya erişemiyor.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>Uygulamanın ağ erişimi yok.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Sürümünüz eski. Lütfen yeni Quarnel uygulamasını Orvessa&apos;dan indirin.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Quarnel Güncellemesi</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Yeni bir güncelleme mevcut. İndirilsin mi?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Güncelleme indirilirken hata oluştu.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Güncelleme yüklenirken hata oluştu.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>VPN bağlantısı etkin. 
Bağlantı kesilip hesaptan çıkış yapılsın mı?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Hesaptan çıkış yapmak istiyor musunuz?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Hesaptan çıkış</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Çıkış</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>VPN bağlantısı etkin. Bağlantı kesilip uygulamadan çıkılsın mı?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Güncelleme</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Güncelleme indiriliyor. Lütfen bekleyin...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
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
        <translation>Tamam</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Hayır</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Evet</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Temizle</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Konum</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Bağlanmak için bir VPN hesabı seçin</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Devam</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>Standart VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>Çift VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Geri</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriler</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Ara</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Kaydet ve geri dön</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Dil:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Dil</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>VPN protokolünü seçin:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>VPN protokolü</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Sistem açılışında başlat</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Uygulama açılınca VPN&apos;e bağlan</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Saat dilimini IP&apos;ye göre değiştir</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>VPN sunucusuna bağlandıktan sonra</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Acil kesme anahtarı (Kill Switch)</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>IPv4, IPv6, DNS4, DNS6 sızıntı koruması</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Yerel cihazlara erişime izin ver</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Yazıcılar, yönlendiriciler vb.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Sürüm:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Bağlantı ayrıntıları</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Hesap</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Çıkış yap</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Sitede VPN aboneliği satın al</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Sitede Bitcoin, PayPal, Yandex Money ve diğerleri dahil olmak üzere çeşitli ödeme sistemleriyle ödeme kabul ediyoruz.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>%1 konumuna bağlanıldı</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>%1 konumuna bağlanılıyor</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>Bağlantınız şu anda güvende değil!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>%1 konumuna bağlan</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Yeniden bağlan</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Bağlantıyı kes</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Çıkış</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (daha güvenli)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (daha hızlı)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>HTTPS taklidi</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
