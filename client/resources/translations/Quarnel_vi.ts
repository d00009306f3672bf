<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="vi_VN">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Quay lại</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Tài khoản</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Đăng xuất</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Tài khoản VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Thay đổi</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Gia hạn trên trang web</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Mua gói đăng ký VPN trên trang web</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Trên trang web, chúng tôi chấp nhận thanh toán qua nhiều hệ thống thanh toán khác nhau, bao gồm Bitcoin, PayPal, Yandex Money và các hệ thống khác.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Gói đăng ký VPN hết hạn: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Tài khoản</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Chi tiết kết nối</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Bạn chưa được bảo vệ</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Kết nối hoặc ngắt kết nối</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Chọn vị trí VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Gói đăng ký VPN hết hạn: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Hãy gia hạn để tiếp tục được bảo vệ.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Gia hạn gói đăng ký</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Tường lửa không được hỗ trợ trên hệ thống của bạn.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Lỗi khi tải cấu hình.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Lỗi khi tải chứng chỉ.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Lỗi khi tải khóa.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>Không thể ghi cấu hình OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Hệ thống của bạn không hỗ trợ thay đổi múi giờ.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Chưa thay đổi múi giờ do không có dữ liệu.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Bạn đã được bảo vệ</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Xem chi tiết kết nối</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Đang kết nối...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Tên người dùng hoặc mật khẩu không đúng</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>Không thể mở socket OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>Không thể cấp phát thiết bị TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Không thể kết nối tới dịch vụ hỗ trợ</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Không thể gửi dữ liệu tới dịch vụ hỗ trợ</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Không tìm thấy cổng cục bộ còn trống cho OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Máy chủ proxy yêu cầu xác thực</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Không thể gửi dữ liệu tới máy chủ VPN</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Không thể hoàn tất kết nối tới máy chủ VPN</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Không thể khởi động Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Mã lỗi: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Yêu thích</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Đề xuất</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Tên người dùng</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Tên người dùng</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mật khẩu</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Đăng nhập</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Bạn cần nhập tên người dùng và mật khẩu để đăng nhập.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Tên người dùng hoặc mật khẩu không đúng.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>Ứng dụng không thể kết nối tới Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>Ứng dụng không có quyền truy cập mạng.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Phiên bản của bạn đã cũ. Vui lòng tải ứng dụng Quarnel mới từ Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Cập nhật Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Đã có bản cập nhật mới. Bạn có muốn tải xuống không?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Lỗi khi tải xuống bản cập nhật.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Lỗi khi cài đặt bản cập nhật.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>Kết nối VPN đang hoạt động. 
Ngắt kết nối và đăng xuất?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Bạn có muốn đăng xuất không?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Đăng xuất</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Thoát</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>Kết nối VPN đang hoạt động. Ngắt kết nối và thoát?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Cập nhật</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Đang tải xuống bản cập nhật. Vui lòng chờ...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Hủy</translation>
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
        <translation>Hủy</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Không</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Có</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Xóa</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Vị trí</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Chọn tài khoản VPN để kết nối</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Tiếp tục</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>VPN thường</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>VPN kép</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Quay lại</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Yêu thích</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Tìm kiếm</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Lưu và quay lại</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Ngôn ngữ:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Ngôn ngữ</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>Chọn giao thức VPN:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>Giao thức VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Khởi động cùng hệ thống</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Kết nối VPN khi mở ứng dụng</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Đổi múi giờ theo địa chỉ IP</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>Sau khi kết nối tới máy chủ VPN</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill Switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Chống rò rỉ IPv4, IPv6, DNS4, DNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Truy cập thiết bị cục bộ</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Máy in, bộ định tuyến, v.v.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Phiên bản:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Chi tiết kết nối</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Tài khoản</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Đăng xuất</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Mua gói đăng ký VPN trên trang web</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Trên trang web, chúng tôi chấp nhận thanh toán qua nhiều hệ thống thanh toán khác nhau, bao gồm Bitcoin, PayPal, Yandex Money và các hệ thống khác.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Đã kết nối tới %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Đang kết nối tới %1</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>Kết nối của bạn hiện không được bảo mật!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Kết nối %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Kết nối lại</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Ngắt kết nối</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Thoát</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (an toàn hơn)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (nhanh hơn)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Ngụy trang HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
