<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hi_IN">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>वापस</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>खाता</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>लॉग आउट करें</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>VPN लॉगिन:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>बदलें</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>साइट पर नवीनीकरण करें</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>साइट पर VPN सदस्यता खरीदें</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>साइट पर हम Bitcoin, PayPal, Yandex Money और अन्य कई भुगतान प्रणालियों के माध्यम से भुगतान स्वीकार करते हैं।</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN सदस्यता की समाप्ति तिथि: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>खाता</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>कनेक्शन विवरण</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>सेटिंग्स</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>आप सुरक्षित नहीं हैं</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>कनेक्ट या डिस्कनेक्ट करें</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>VPN स्थान चुनें</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN सदस्यता की समाप्ति तिथि: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>सुरक्षित रहने के लिए सदस्यता का नवीनीकरण करें।</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>सदस्यता का नवीनीकरण करें</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>इस सिस्टम पर फ़ायरवॉल समर्थित नहीं है।</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>कॉन्फ़िगरेशन लोड करने में त्रुटि।</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>प्रमाणपत्र लोड करने में त्रुटि।</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>कुंजी लोड करने में त्रुटि।</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>OpenVPN कॉन्फ़िगरेशन नहीं लिखा जा सका।</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>इस सिस्टम पर समय क्षेत्र बदलना समर्थित नहीं है।</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>डेटा उपलब्ध न होने के कारण समय क्षेत्र नहीं बदला गया।</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>आप सुरक्षित हैं</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>कनेक्शन विवरण दिखाएँ</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>कनेक्ट हो रहा है...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>अमान्य उपयोगकर्ता नाम या पासवर्ड</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>OpenVPN सॉकेट नहीं खोला जा सका</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>TUN डिवाइस आवंटित नहीं किया जा सका</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>हेल्पर सेवा से कनेक्ट नहीं हो सका</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>हेल्पर सेवा को डेटा नहीं भेजा जा सका</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>OpenVPN के लिए कोई खाली लोकल पोर्ट नहीं मिला</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>प्रॉक्सी के लिए प्रमाणीकरण आवश्यक है</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>VPN सर्वर को डेटा नहीं भेजा जा सका</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>VPN सर्वर से कनेक्शन पूरा नहीं हो सका</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Brume शुरू नहीं हो सका</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>त्रुटि कोड: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>पसंदीदा</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>अनुशंसित</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>उपयोगकर्ता नाम</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>उपयोगकर्ता नाम</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>पासवर्ड</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>लॉग इन करें</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>साइन इन करने के लिए उपयोगकर्ता नाम और पासवर्ड दर्ज करना आवश्यक है।</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>उपयोगकर्ता नाम या पासवर्ड ग़लत है।</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>ऐप Orvessa तक नहीं पहुँच पा रहा है।</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>ऐप के पास नेटवर्क एक्सेस नहीं है।</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>आपका संस्करण पुराना हो गया है। कृपया Orvessa से नया Quarnel ऐप डाउनलोड करें।</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Quarnel अपडेट</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>नया अपडेट उपलब्ध है। क्या आप इसे डाउनलोड करना चाहते हैं?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>अपडेट डाउनलोड करने में त्रुटि।</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>अपडेट इंस्टॉल करने में त्रुटि।</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>VPN कनेक्शन सक्रिय है। 
क्या आप डिस्कनेक्ट करके लॉग आउट करना चाहते हैं?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>क्या आप लॉग आउट करना चाहते हैं?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>लॉग आउट</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>बाहर निकलें</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>VPN कनेक्शन सक्रिय है। क्या आप डिस्कनेक्ट करके बाहर निकलना चाहते हैं?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>अपडेट</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>अपडेट डाउनलोड हो रहा है। कृपया प्रतीक्षा करें...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
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
        <translation>ठीक है</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
    </message>
    <message>
        <source>No</source>
        <translation>नहीं</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>हाँ</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>साफ़ करें</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>स्थान</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>कनेक्ट करने के लिए VPN लॉगिन चुनें</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>जारी रखें</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>सामान्य VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>डबल VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>वापस</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>पसंदीदा</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>खोजें</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>सहेजें और वापस जाएँ</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>सेटिंग्स</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>भाषा:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>भाषा</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>VPN प्रोटोकॉल चुनें:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>VPN प्रोटोकॉल</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>सिस्टम शुरू होने पर लॉन्च करें</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>ऐप खुलने पर VPN से कनेक्ट करें</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>IP पते के अनुसार समय क्षेत्र बदलें</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>VPN सर्वर से कनेक्ट होने के बाद</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>किल स्विच</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>IPv4, IPv6, DNS4, DNS6 लीक से सुरक्षा</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>लोकल डिवाइस तक पहुँच दें</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>प्रिंटर, राउटर आदि</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>संस्करण:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>कनेक्शन विवरण</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>खाता</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>लॉग आउट करें</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>साइट पर VPN सदस्यता खरीदें</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>साइट पर हम Bitcoin, PayPal, Yandex Money और अन्य कई भुगतान प्रणालियों के माध्यम से भुगतान स्वीकार करते हैं।</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>%1 से कनेक्ट हो गया</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>%1 से कनेक्ट हो रहा है</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>आपका कनेक्शन अभी सुरक्षित नहीं है!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>%1 से कनेक्ट करें</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>फिर से कनेक्ट करें</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>डिस्कनेक्ट करें</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>बाहर निकलें</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (अधिक सुरक्षित)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (अधिक तेज़)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>HTTPS अनुकरण</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
