<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>계정</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>로그아웃</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>VPN 로그인:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>변경</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>사이트에서 갱신</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>사이트에서 VPN 구독 구매</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>사이트에서는 Bitcoin, PayPal, Yandex Money 등 다양한 결제 수단으로 결제하실 수 있습니다.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN 구독 만료일: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>계정</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>연결 세부 정보</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>보호되고 있지 않습니다</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>연결 또는 연결 해제</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>VPN 위치 선택</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN 구독 만료일: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>계속 보호받으려면 구독을 갱신하세요.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>구독 갱신</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>이 시스템에서는 방화벽이 지원되지 않습니다.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>구성을 불러오는 중 오류가 발생했습니다.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>인증서를 불러오는 중 오류가 발생했습니다.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>키를 불러오는 중 오류가 발생했습니다.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>OpenVPN 구성을 저장할 수 없습니다.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>이 시스템에서는 시간대 변경이 지원되지 않습니다.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>데이터가 없어 시간대를 변경하지 않았습니다.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>보호되고 있습니다</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>연결 세부 정보 보기</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>연결 중...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>사용자 이름 또는 비밀번호가 올바르지 않습니다</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>OpenVPN 소켓을 열 수 없습니다</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>TUN 장치를 할당할 수 없습니다</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>헬퍼 서비스에 연결할 수 없습니다</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>헬퍼 서비스에 데이터를 쓸 수 없습니다</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>OpenVPN에 사용할 수 있는 로컬 포트를 찾을 수 없습니다</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>프록시 인증이 필요합니다</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>VPN 서버로 데이터를 보낼 수 없습니다</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>VPN 서버 연결을 완료할 수 없습니다</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Brume을 시작할 수 없습니다</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>오류 코드: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>즐겨찾기</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>추천</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>사용자 이름</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>사용자 이름</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>비밀번호</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>로그인</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>로그인하려면 사용자 이름과 비밀번호를 입력해야 합니다.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>사용자 이름 또는 비밀번호가 올바르지 않습니다.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>앱이 Orvessa에 연결할 수 없습니다.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>앱이 네트워크에 액세스할 수 없습니다.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>사용 중인 버전이 오래되었습니다. Orvessa에서 새 Quarnel 앱을 다운로드하세요.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Quarnel 업데이트</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>새 업데이트가 있습니다. 다운로드하시겠습니까?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>업데이트를 다운로드하는 중 오류가 발생했습니다.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>업데이트를 설치하는 중 오류가 발생했습니다.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>VPN 연결이 활성화되어 있습니다. 
연결을 해제하고 로그아웃하시겠습니까?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>로그아웃하시겠습니까?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>로그아웃</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>VPN 연결이 활성화되어 있습니다. 연결을 해제하고 종료하시겠습니까?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>업데이트</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>업데이트를 다운로드하는 중입니다. 잠시 기다려 주세요...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
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
        <translation>확인</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>No</source>
        <translation>아니요</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>예</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>지우기</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>위치</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>연결할 VPN 로그인을 선택하세요</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>계속</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>표준 VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>더블 VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>즐겨찾기</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>검색</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>저장 후 돌아가기</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>언어:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>VPN 프로토콜 선택:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>VPN 프로토콜</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>시스템 시작 시 자동 실행</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>앱 시작 시 VPN에 연결</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>IP 주소에 맞춰 시간대 변경</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>VPN 서버에 연결된 후</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>킬 스위치</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>IPv4, IPv6, DNS4, DNS6 유출 방지</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>로컬 장치 액세스 허용</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>프린터, 라우터 등</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>버전:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>연결 세부 정보</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>계정</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>로그아웃</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>사이트에서 VPN 구독 구매</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>사이트에서는 Bitcoin, PayPal, Yandex Money 등 다양한 결제 수단으로 결제하실 수 있습니다.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>%1에 연결됨</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>%1에 연결 중</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>현재 연결이 보호되고 있지 않습니다!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>%1에 연결</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>다시 연결</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>연결 해제</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>종료</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (더 안전함)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (더 빠름)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>HTTPS 위장</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
