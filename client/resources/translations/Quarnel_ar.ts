<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar_EG">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>رجوع</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>الحساب</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>تسجيل الخروج</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>حساب VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>تغيير</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>التجديد عبر الموقع</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>شراء اشتراك VPN عبر الموقع</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>نقبل على الموقع الدفع عبر أنظمة دفع متعددة، منها Bitcoin وPayPal وYandex Money وغيرها.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>تاريخ انتهاء اشتراك VPN: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>الحساب</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>تفاصيل الاتصال</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>الإعدادات</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>أنت غير محمي</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>الاتصال أو قطع الاتصال</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>اختر موقع VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>تاريخ انتهاء اشتراك VPN: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>جدّد اشتراكك لتبقى محميًا.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>تجديد الاشتراك</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>جدار الحماية غير مدعوم على هذا النظام.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>حدث خطأ أثناء تحميل ملف التكوين.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>حدث خطأ أثناء تحميل الشهادة.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>حدث خطأ أثناء تحميل المفتاح.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>تعذّرت كتابة ملف تكوين OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>تغيير المنطقة الزمنية غير مدعوم على هذا النظام.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>لم يتم تغيير المنطقة الزمنية لعدم توفر البيانات.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>أنت محمي</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>عرض تفاصيل الاتصال</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>جارٍ الاتصال...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>اسم المستخدم أو كلمة المرور غير صحيحة</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>تعذّر فتح مقبس OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>تعذّر تخصيص جهاز TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>تعذّر الاتصال بالخدمة المساعدة</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>تعذّرت الكتابة إلى الخدمة المساعدة</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>تعذّر العثور على منفذ محلي متاح لـ OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>يتطلب الخادم الوكيل المصادقة</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>تعذّر إرسال البيانات إلى خادم VPN</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>تعذّر إتمام الاتصال بخادم VPN</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>تعذّر تشغيل Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>رمز الخطأ: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>مفضّل</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>موصى به</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>اسم المستخدم</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>اسم المستخدم</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>كلمة المرور</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>تسجيل الدخول</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>يجب إدخال اسم المستخدم وكلمة المرور لتسجيل الدخول.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>اسم المستخدم أو كلمة المرور غير صحيحة.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>يتعذّر على التطبيق الوصول إلى Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>لا يمكن للتطبيق الوصول إلى الشبكة.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>الإصدار الذي تستخدمه قديم. يُرجى تنزيل تطبيق Quarnel الجديد من Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>تحديث Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>يتوفر تحديث جديد. هل تريد تنزيله؟</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>حدث خطأ أثناء تنزيل التحديث.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>حدث خطأ أثناء تثبيت التحديث.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>اتصال VPN نشط. 
هل تريد قطع الاتصال وتسجيل الخروج؟</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>هل تريد تسجيل الخروج؟</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>تسجيل الخروج</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>اتصال VPN نشط. هل تريد قطع الاتصال والخروج؟</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>تحديث</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>جارٍ تنزيل التحديث. يُرجى الانتظار...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <translation>RTL</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Ok</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>No</source>
        <translation>لا</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>نعم</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>مسح</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>الموقع</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>اختر حساب VPN للاتصال</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>متابعة</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>VPN عادي</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>VPN مزدوج</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>رجوع</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>المفضلة</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>بحث</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>حفظ والرجوع</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>الإعدادات</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>اللغة:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>اللغة</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>اختر بروتوكول VPN:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>بروتوكول VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>التشغيل مع بدء تشغيل النظام</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>الاتصال بـ VPN عند فتح التطبيق</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>ضبط المنطقة الزمنية حسب عنوان IP</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>بعد الاتصال بخادم VPN</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>مفتاح الإيقاف الطارئ</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>الحماية من تسرّب IPv4 وIPv6 وDNS4 وDNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>السماح بالوصول للأجهزة المحلية</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>الطابعات وأجهزة التوجيه وغيرها</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>الإصدار:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>تفاصيل الاتصال</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>الحساب</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>تسجيل الخروج</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>شراء اشتراك VPN عبر الموقع</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>نقبل على الموقع الدفع عبر أنظمة دفع متعددة، منها Bitcoin وPayPal وYandex Money وغيرها.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>متصل بـ %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>جارٍ الاتصال بـ %1</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>اتصالك غير آمن الآن!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>الاتصال بـ %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>إعادة الاتصال</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>قطع الاتصال</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>خروج</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (أكثر أمانًا)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (أسرع)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>محاكاة HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
