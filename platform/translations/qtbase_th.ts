<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH">
<context>
    <name>Print Device Input Slot</name>
    <message>
        <source>Automatic</source>
        <translation>อัตโนมัติ</translation>
    </message>
</context>
<context>
    <name>Print Device Output Bin</name>
    <message>
        <source>Automatic</source>
        <translation>อัตโนมัติ</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>ไดรฟ์</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <comment>All other platforms</comment>
        <translation>ทางลัด</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>ไม่ทราบชนิด</translation>
    </message>
    <message>
        <source>File</source>
        <translation>แฟ้ม</translation>
    </message>
</context>
<context>
    <name>QAbstractSpinBox</name>
    <message>
        <source>&amp;Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
    <message>
        <source>&amp;Step up</source>
        <translation>เพิ่มขึ้นหนึ่งขั้น</translation>
    </message>
    <message>
        <source>Step &amp;down</source>
        <translation>ลดลงหนึ่งขั้น</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>Hu&amp;e:</source>
        <translation>สีสัน:</translation>
    </message>
    <message>
        <source>&amp;Sat:</source>
        <translation>ความอิ่มตัว:</translation>
    </message>
    <message>
        <source>&amp;Val:</source>
        <translation>ความสว่าง:</translation>
    </message>
    <message>
        <source>&amp;Red:</source>
        <translation>แดง:</translation>
    </message>
    <message>
        <source>&amp;Green:</source>
        <translation>เขียว:</translation>
    </message>
    <message>
        <source>Bl&amp;ue:</source>
        <translation>น้ำเงิน:</translation>
    </message>
    <message>
        <source>A&amp;lpha channel:</source>
        <translation>ความทึบ:</translation>
    </message>
    <message>
        <source>&amp;HTML:</source>
        <translation>รหัสสี:</translation>
    </message>
    <message>
        <source>Cursor at %1, %2
Press ESC to cancel</source>
        <translation>ตัวชี้อยู่ที่ %1, %2
กด Esc เพื่อยกเลิก</translation>
    </message>
    <message>
        <source>&amp;Pick Screen Color</source>
        <translation>เลือกสีจากหน้าจอ</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>เลือกสี</translation>
    </message>
    <message>
        <source>&amp;Basic colors</source>
        <translation>สีพื้นฐาน</translation>
    </message>
    <message>
        <source>&amp;Custom colors</source>
        <translation>สีที่กำหนดเอง</translation>
    </message>
    <message>
        <source>&amp;Add to Custom Colors</source>
        <translation>เพิ่มในสีที่กำหนดเอง</translation>
    </message>
</context>
<context>
    <name>QCupsJobWidget</name>
    <message>
        <source>Job</source>
        <translation>งานพิมพ์</translation>
    </message>
    <message>
        <source>Job Control</source>
        <translation>การควบคุมงานพิมพ์</translation>
    </message>
    <message>
        <source>Scheduled printing:</source>
        <translation>กำหนดเวลาพิมพ์:</translation>
    </message>
    <message>
        <source>Billing information:</source>
        <translation>ข้อมูลการเรียกเก็บเงิน:</translation>
    </message>
    <message>
        <source>Job priority:</source>
        <translation>ลำดับความสำคัญของงาน:</translation>
    </message>
    <message>
        <source>Banner Pages</source>
        <translation>หน้าคั่นงานพิมพ์</translation>
    </message>
    <message>
        <source>End:</source>
        <comment>Banner page at end</comment>
        <translation>ท้ายงาน:</translation>
    </message>
    <message>
        <source>Start:</source>
        <comment>Banner page at start</comment>
        <translation>ต้นงาน:</translation>
    </message>
    <message>
        <source>Print Immediately</source>
        <translation>พิมพ์ทันที</translation>
    </message>
    <message>
        <source>Hold Indefinitely</source>
        <translation>พักไว้ไม่มีกำหนด</translation>
    </message>
    <message>
        <source>Day (06:00 to 17:59)</source>
        <translation>กลางวัน (06:00 ถึง 17:59)</translation>
    </message>
    <message>
        <source>Night (18:00 to 05:59)</source>
        <translation>กลางคืน (18:00 ถึง 05:59)</translation>
    </message>
    <message>
        <source>Second Shift (16:00 to 23:59)</source>
        <translation>กะที่สอง (16:00 ถึง 23:59)</translation>
    </message>
    <message>
        <source>Third Shift (00:00 to 07:59)</source>
        <translation>กะที่สาม (00:00 ถึง 07:59)</translation>
    </message>
    <message>
        <source>Weekend (Saturday to Sunday)</source>
        <translation>สุดสัปดาห์ (วันเสาร์ถึงวันอาทิตย์)</translation>
    </message>
    <message>
        <source>Specific Time</source>
        <translation>ระบุเวลา</translation>
    </message>
    <message>
        <source>None</source>
        <comment>CUPS Banner page</comment>
        <translation>ไม่มี</translation>
    </message>
    <message>
        <source>Standard</source>
        <comment>CUPS Banner page</comment>
        <translation>มาตรฐาน</translation>
    </message>
    <message>
        <source>Unclassified</source>
        <comment>CUPS Banner page</comment>
        <translation>ไม่เป็นความลับ</translation>
    </message>
    <message>
        <source>Confidential</source>
        <comment>CUPS Banner page</comment>
        <translation>ลับ</translation>
    </message>
    <message>
        <source>Classified</source>
        <comment>CUPS Banner page</comment>
        <translation>ปกปิด</translation>
    </message>
    <message>
        <source>Secret</source>
        <comment>CUPS Banner page</comment>
        <translation>ลับมาก</translation>
    </message>
    <message>
        <source>Top Secret</source>
        <comment>CUPS Banner page</comment>
        <translation>ลับที่สุด</translation>
    </message>
</context>
<context>
    <name>QCupsPrinterSupport</name>
    <message>
        <source>Authentication Needed</source>
        <translation>ต้องยืนยันตัวตน</translation>
    </message>
    <message>
        <source>Authentication needed to use %1.</source>
        <translation>ต้องยืนยันตัวตนก่อนใช้ %1</translation>
    </message>
    <message>
        <source>Authentication needed to use %1 on %2.</source>
        <translation>ต้องยืนยันตัวตนก่อนใช้ %1 บน %2</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>ชื่อผู้ใช้:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>รหัสผ่าน:</translation>
    </message>
</context>
<context>
    <name>QDialogButtonBox</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>ค้นหาใน:</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>โฟลเดอร์ระดับบน</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>ไปยังโฟลเดอร์ระดับบน</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>มุมมองรายการ</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>เปลี่ยนเป็นมุมมองรายการ</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>มุมมองรายละเอียด</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>เปลี่ยนเป็นมุมมองรายละเอียด</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>แถบด้านข้าง</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>รายการตำแหน่งและที่คั่นไว้</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>แฟ้ม</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>ชนิดแฟ้ม:</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>ค้นหาโฟลเดอร์</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>บันทึกเป็น</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>โฟลเดอร์:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>ชื่อแฟ้ม:</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>เลือก</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>แฟ้มทั้งหมด (*)</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>แสดง</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>เปลี่ยนชื่อ</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>แสดงแฟ้มที่ซ่อนไว้</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>โฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>แฟ้มทั้งหมด (*)</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
ไม่พบโฟลเดอร์นี้
กรุณาตรวจสอบว่าชื่อโฟลเดอร์ถูกต้อง</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>มี %1 อยู่แล้ว
ต้องการแทนที่แฟ้มเดิมหรือไม่</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
ไม่พบแฟ้มนี้
กรุณาตรวจสอบว่าชื่อแฟ้มถูกต้อง</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is write protected.
Do you want to delete it anyway?</source>
        <translation>&apos;%1&apos; ถูกป้องกันการเขียน
ต้องการลบทิ้งหรือไม่</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>โฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>ต้องการลบ &apos;%1&apos; ใช่หรือไม่</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>ลบโฟลเดอร์ไม่ได้</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>ตำแหน่งล่าสุด</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>เอาออก</translation>
    </message>
    <message>
        <source>Alt+Left</source>
        <translation>Alt+Left</translation>
    </message>
    <message>
        <source>Alt+Right</source>
        <translation>Alt+Right</translation>
    </message>
    <message>
        <source>Alt+Up</source>
        <translation>Alt+Up</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>ชื่อ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>ขนาด</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>All other platforms</comment>
        <translation>ชนิด</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>วันที่แก้ไข</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>คอมพิวเตอร์</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>ปิดโดยไม่บันทึก</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QInputDialog</name>
    <message>
        <source>Enter a value:</source>
        <translation>ป้อนค่า:</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>เลิกทำ</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำซ้ำ</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>ตัด</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>วาง</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Show Details...</source>
        <translation>แสดงรายละเอียด...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>ซ่อนรายละเอียด...</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <source>Form</source>
        <translation>ฟอร์ม</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>กระดาษ</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>ขนาดกระดาษ:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>กว้าง:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>สูง:</translation>
    </message>
    <message>
        <source>Paper source:</source>
        <translation>ถาดกระดาษ:</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>การวางแนว</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>แนวตั้ง</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>แนวนอน</translation>
    </message>
    <message>
        <source>Reverse landscape</source>
        <translation>แนวนอนกลับหัว</translation>
    </message>
    <message>
        <source>Reverse portrait</source>
        <translation>แนวตั้งกลับหัว</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>ระยะขอบ</translation>
    </message>
    <message>
        <source>top margin</source>
        <translation>ระยะขอบบน</translation>
    </message>
    <message>
        <source>left margin</source>
        <translation>ระยะขอบซ้าย</translation>
    </message>
    <message>
        <source>right margin</source>
        <translation>ระยะขอบขวา</translation>
    </message>
    <message>
        <source>bottom margin</source>
        <translation>ระยะขอบล่าง</translation>
    </message>
    <message>
        <source>Millimeters (mm)</source>
        <translation>มิลลิเมตร (มม.)</translation>
    </message>
    <message>
        <source>Inches (in)</source>
        <translation>นิ้ว</translation>
    </message>
    <message>
        <source>Points (pt)</source>
        <translation>พอยต์</translation>
    </message>
    <message>
        <source>Pica (P̸)</source>
        <translation>ไพคา</translation>
    </message>
    <message>
        <source>Didot (DD)</source>
        <translation>ดีโดต์</translation>
    </message>
    <message>
        <source>Cicero (CC)</source>
        <translation>ซิเซโร</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>กำหนดเอง</translation>
    </message>
    <message>
        <source>mm</source>
        <translation> มม.</translation>
    </message>
    <message>
        <source>pt</source>
        <translation> พอยต์</translation>
    </message>
    <message>
        <source>in</source>
        <translation> นิ้ว</translation>
    </message>
    <message>
        <source>P̸</source>
        <translation> ไพคา</translation>
    </message>
    <message>
        <source>DD</source>
        <translation> ดีโดต์</translation>
    </message>
    <message>
        <source>CC</source>
        <translation> ซิเซโร</translation>
    </message>
    <message>
        <source>Page Layout</source>
        <translation>การจัดหน้า</translation>
    </message>
    <message>
        <source>Page order:</source>
        <translation>ลำดับหน้า:</translation>
    </message>
    <message>
        <source>Pages per sheet:</source>
        <translation>จำนวนหน้าต่อแผ่น:</translation>
    </message>
</context>
<context>
    <name>QPageSize</name>
    <message>
        <source>Custom (%1mm x %2mm)</source>
        <translation>กำหนดเอง (%1 × %2 มม.)</translation>
    </message>
    <message>
        <source>Custom (%1pt x %2pt)</source>
        <translation>กำหนดเอง (%1 × %2 พอยต์)</translation>
    </message>
    <message>
        <source>Custom (%1in x %2in)</source>
        <translation>กำหนดเอง (%1 × %2 นิ้ว)</translation>
    </message>
    <message>
        <source>Custom (%1pc x %2pc)</source>
        <translation>กำหนดเอง (%1 × %2 ไพคา)</translation>
    </message>
    <message>
        <source>Custom (%1DD x %2DD)</source>
        <translation>กำหนดเอง (%1 × %2 ดีโดต์)</translation>
    </message>
    <message>
        <source>Custom (%1CC x %2CC)</source>
        <translation>กำหนดเอง (%1 × %2 ซิเซโร)</translation>
    </message>
    <message>
        <source>%1 x %2 in</source>
        <translation>%1 × %2 นิ้ว</translation>
    </message>
    <message>
        <source>A0</source>
        <translation>A0</translation>
    </message>
    <message>
        <source>A1</source>
        <translation>A1</translation>
    </message>
    <message>
        <source>A2</source>
        <translation>A2</translation>
    </message>
    <message>
        <source>A3</source>
        <translation>A3</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A5</source>
        <translation>A5</translation>
    </message>
    <message>
        <source>A6</source>
        <translation>A6</translation>
    </message>
    <message>
        <source>A7</source>
        <translation>A7</translation>
    </message>
    <message>
        <source>A8</source>
        <translation>A8</translation>
    </message>
    <message>
        <source>A9</source>
        <translation>A9</translation>
    </message>
    <message>
        <source>A10</source>
        <translation>A10</translation>
    </message>
    <message>
        <source>B0</source>
        <translation>B0</translation>
    </message>
    <message>
        <source>B1</source>
        <translation>B1</translation>
    </message>
    <message>
        <source>B2</source>
        <translation>B2</translation>
    </message>
    <message>
        <source>B3</source>
        <translation>B3</translation>
    </message>
    <message>
        <source>B4</source>
        <translation>B4</translation>
    </message>
    <message>
        <source>B5</source>
        <translation>B5</translation>
    </message>
    <message>
        <source>B6</source>
        <translation>B6</translation>
    </message>
    <message>
        <source>B7</source>
        <translation>B7</translation>
    </message>
    <message>
        <source>B8</source>
        <translation>B8</translation>
    </message>
    <message>
        <source>B9</source>
        <translation>B9</translation>
    </message>
    <message>
        <source>B10</source>
        <translation>B10</translation>
    </message>
    <message>
        <source>Executive (7.5 x 10 in)</source>
        <translation>เอ็กเซ็กคิวทีฟ (7.5 × 10 นิ้ว)</translation>
    </message>
    <message>
        <source>Executive (7.25 x 10.5 in)</source>
        <translation>เอ็กเซ็กคิวทีฟ (7.25 × 10.5 นิ้ว)</translation>
    </message>
    <message>
        <source>Folio (8.27 x 13 in)</source>
        <translation>โฟลิโอ (8.27 × 13 นิ้ว)</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>ลีกัล</translation>
    </message>
    <message>
        <source>Letter / ANSI A</source>
        <translation>เลตเตอร์ / ANSI A</translation>
    </message>
    <message>
        <source>Tabloid / ANSI B</source>
        <translation>แท็บลอยด์ / ANSI B</translation>
    </message>
    <message>
        <source>Ledger / ANSI B</source>
        <translation>เลดเจอร์ / ANSI B</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>กำหนดเอง</translation>
    </message>
    <message>
        <source>A3 Extra</source>
        <translation>A3 พิเศษ</translation>
    </message>
    <message>
        <source>A4 Extra</source>
        <translation>A4 พิเศษ</translation>
    </message>
    <message>
        <source>A4 Plus</source>
        <translation>A4 พลัส</translation>
    </message>
    <message>
        <source>A4 Small</source>
        <translation>A4 เล็ก</translation>
    </message>
    <message>
        <source>A5 Extra</source>
        <translation>A5 พิเศษ</translation>
    </message>
    <message>
        <source>B5 Extra</source>
        <translation>B5 พิเศษ</translation>
    </message>
    <message>
        <source>JIS B0</source>
        <translation>JIS B0</translation>
    </message>
    <message>
        <source>JIS B1</source>
        <translation>JIS B1</translation>
    </message>
    <message>
        <source>JIS B2</source>
        <translation>JIS B2</translation>
    </message>
    <message>
        <source>JIS B3</source>
        <translation>JIS B3</translation>
    </message>
    <message>
        <source>JIS B4</source>
        <translation>JIS B4</translation>
    </message>
    <message>
        <source>JIS B5</source>
        <translation>JIS B5</translation>
    </message>
    <message>
        <source>JIS B6</source>
        <translation>JIS B6</translation>
    </message>
    <message>
        <source>JIS B7</source>
        <translation>JIS B7</translation>
    </message>
    <message>
        <source>JIS B8</source>
        <translation>JIS B8</translation>
    </message>
    <message>
        <source>JIS B9</source>
        <translation>JIS B9</translation>
    </message>
    <message>
        <source>JIS B10</source>
        <translation>JIS B10</translation>
    </message>
    <message>
        <source>ANSI C</source>
        <translation>ANSI C</translation>
    </message>
    <message>
        <source>ANSI D</source>
        <translation>ANSI D</translation>
    </message>
    <message>
        <source>ANSI E</source>
        <translation>ANSI E</translation>
    </message>
    <message>
        <source>Legal Extra</source>
        <translation>ลีกัล พิเศษ</translation>
    </message>
    <message>
        <source>Letter Extra</source>
        <translation>เลตเตอร์ พิเศษ</translation>
    </message>
    <message>
        <source>Letter Plus</source>
        <translation>เลตเตอร์ พลัส</translation>
    </message>
    <message>
        <source>Letter Small</source>
        <translation>เลตเตอร์ เล็ก</translation>
    </message>
    <message>
        <source>Tabloid Extra</source>
        <translation>แท็บลอยด์ พิเศษ</translation>
    </message>
    <message>
        <source>Architect A</source>
        <translation>สถาปัตย์ A</translation>
    </message>
    <message>
        <source>Architect B</source>
        <translation>สถาปัตย์ B</translation>
    </message>
    <message>
        <source>Architect C</source>
        <translation>สถาปัตย์ C</translation>
    </message>
    <message>
        <source>Architect D</source>
        <translation>สถาปัตย์ D</translation>
    </message>
    <message>
        <source>Architect E</source>
        <translation>สถาปัตย์ E</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>โน้ต</translation>
    </message>
    <message>
        <source>Quarto</source>
        <translation>ควอร์โต</translation>
    </message>
    <message>
        <source>Statement</source>
        <translation>สเตตเมนต์</translation>
    </message>
    <message>
        <source>Super A</source>
        <translation>ซูเปอร์ A</translation>
    </message>
    <message>
        <source>Super B</source>
        <translation>ซูเปอร์ B</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>ไปรษณียบัตร</translation>
    </message>
    <message>
        <source>Double Postcard</source>
        <translation>ไปรษณียบัตรคู่</translation>
    </message>
    <message>
        <source>PRC 16K</source>
        <translation>PRC 16K</translation>
    </message>
    <message>
        <source>PRC 32K</source>
        <translation>PRC 32K</translation>
    </message>
    <message>
        <source>PRC 32K Big</source>
        <translation>PRC 32K ใหญ่</translation>
    </message>
    <message>
        <source>Fan-fold US (14.875 x 11 in)</source>
        <translation>กระดาษต่อเนื่องแบบอเมริกัน (14.875 × 11 นิ้ว)</translation>
    </message>
    <message>
        <source>Fan-fold German (8.5 x 12 in)</source>
        <translation>กระดาษต่อเนื่องแบบเยอรมัน (8.5 × 12 นิ้ว)</translation>
    </message>
    <message>
        <source>Fan-fold German Legal (8.5 x 13 in)</source>
        <translation>กระดาษต่อเนื่องแบบเยอรมัน ลีกัล (8.5 × 13 นิ้ว)</translation>
    </message>
    <message>
        <source>Envelope B4</source>
        <translation>ซอง B4</translation>
    </message>
    <message>
        <source>Envelope B5</source>
        <translation>ซอง B5</translation>
    </message>
    <message>
        <source>Envelope B6</source>
        <translation>ซอง B6</translation>
    </message>
    <message>
        <source>Envelope C0</source>
        <translation>ซอง C0</translation>
    </message>
    <message>
        <source>Envelope C1</source>
        <translation>ซอง C1</translation>
    </message>
    <message>
        <source>Envelope C2</source>
        <translation>ซอง C2</translation>
    </message>
    <message>
        <source>Envelope C3</source>
        <translation>ซอง C3</translation>
    </message>
    <message>
        <source>Envelope C4</source>
        <translation>ซอง C4</translation>
    </message>
    <message>
        <source>Envelope C5</source>
        <translation>ซอง C5</translation>
    </message>
    <message>
        <source>Envelope C6</source>
        <translation>ซอง C6</translation>
    </message>
    <message>
        <source>Envelope C65</source>
        <translation>ซอง C65</translation>
    </message>
    <message>
        <source>Envelope C7</source>
        <translation>ซอง C7</translation>
    </message>
    <message>
        <source>Envelope DL</source>
        <translation>ซอง DL</translation>
    </message>
    <message>
        <source>Envelope US 9</source>
        <translation>ซองอเมริกัน เบอร์ 9</translation>
    </message>
    <message>
        <source>Envelope US 10</source>
        <translation>ซองอเมริกัน เบอร์ 10</translation>
    </message>
    <message>
        <source>Envelope US 11</source>
        <translation>ซองอเมริกัน เบอร์ 11</translation>
    </message>
    <message>
        <source>Envelope US 12</source>
        <translation>ซองอเมริกัน เบอร์ 12</translation>
    </message>
    <message>
        <source>Envelope US 14</source>
        <translation>ซองอเมริกัน เบอร์ 14</translation>
    </message>
    <message>
        <source>Envelope Monarch</source>
        <translation>ซองโมนาร์ก</translation>
    </message>
    <message>
        <source>Envelope Personal</source>
        <translation>ซองส่วนตัว</translation>
    </message>
    <message>
        <source>Envelope Chou 3</source>
        <translation>ซองโช 3</translation>
    </message>
    <message>
        <source>Envelope Chou 4</source>
        <translation>ซองโช 4</translation>
    </message>
    <message>
        <source>Envelope Invite</source>
        <translation>ซองการ์ดเชิญ</translation>
    </message>
    <message>
        <source>Envelope Italian</source>
        <translation>ซองแบบอิตาลี</translation>
    </message>
    <message>
        <source>Envelope Kaku 2</source>
        <translation>ซองคากุ 2</translation>
    </message>
    <message>
        <source>Envelope Kaku 3</source>
        <translation>ซองคากุ 3</translation>
    </message>
    <message>
        <source>Envelope PRC 1</source>
        <translation>ซอง PRC 1</translation>
    </message>
    <message>
        <source>Envelope PRC 2</source>
        <translation>ซอง PRC 2</translation>
    </message>
    <message>
        <source>Envelope PRC 3</source>
        <translation>ซอง PRC 3</translation>
    </message>
    <message>
        <source>Envelope PRC 4</source>
        <translation>ซอง PRC 4</translation>
    </message>
    <message>
        <source>Envelope PRC 5</source>
        <translation>ซอง PRC 5</translation>
    </message>
    <message>
        <source>Envelope PRC 6</source>
        <translation>ซอง PRC 6</translation>
    </message>
    <message>
        <source>Envelope PRC 7</source>
        <translation>ซอง PRC 7</translation>
    </message>
    <message>
        <source>Envelope PRC 8</source>
        <translation>ซอง PRC 8</translation>
    </message>
    <message>
        <source>Envelope PRC 9</source>
        <translation>ซอง PRC 9</translation>
    </message>
    <message>
        <source>Envelope PRC 10</source>
        <translation>ซอง PRC 10</translation>
    </message>
    <message>
        <source>Envelope You 4</source>
        <translation>ซองโย 4</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>บันทึกทั้งหมด</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>ใช่</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>ใช่ทั้งหมด</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>ไม่ใช่</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>ไม่ใช่ทั้งหมด</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>ยุติ</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>ลองใหม่</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>ข้าม</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>ทิ้ง</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ช่วยเหลือ</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>นำไปใช้</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>ตั้งค่าใหม่</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>คืนค่าเริ่มต้น</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Print</source>
        <translation>พิมพ์</translation>
    </message>
    <message>
        <source>Left to Right, Top to Bottom</source>
        <translation>ซ้ายไปขวา บนลงล่าง</translation>
    </message>
    <message>
        <source>Left to Right, Bottom to Top</source>
        <translation>ซ้ายไปขวา ล่างขึ้นบน</translation>
    </message>
    <message>
        <source>Right to Left, Bottom to Top</source>
        <translation>ขวาไปซ้าย ล่างขึ้นบน</translation>
    </message>
    <message>
        <source>Right to Left, Top to Bottom</source>
        <translation>ขวาไปซ้าย บนลงล่าง</translation>
    </message>
    <message>
        <source>Bottom to Top, Left to Right</source>
        <translation>ล่างขึ้นบน ซ้ายไปขวา</translation>
    </message>
    <message>
        <source>Bottom to Top, Right to Left</source>
        <translation>ล่างขึ้นบน ขวาไปซ้าย</translation>
    </message>
    <message>
        <source>Top to Bottom, Left to Right</source>
        <translation>บนลงล่าง ซ้ายไปขวา</translation>
    </message>
    <message>
        <source>Top to Bottom, Right to Left</source>
        <translation>บนลงล่าง ขวาไปซ้าย</translation>
    </message>
    <message>
        <source>1 (1x1)</source>
        <translation>1 (1×1)</translation>
    </message>
    <message>
        <source>2 (2x1)</source>
        <translation>2 (2×1)</translation>
    </message>
    <message>
        <source>4 (2x2)</source>
        <translation>4 (2×2)</translation>
    </message>
    <message>
        <source>6 (2x3)</source>
        <translation>6 (2×3)</translation>
    </message>
    <message>
        <source>9 (3x3)</source>
        <translation>9 (3×3)</translation>
    </message>
    <message>
        <source>16 (4x4)</source>
        <translation>16 (4×4)</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>ทุกหน้า</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>หน้าคี่</translation>
    </message>
    <message>
        <source>Even Pages</source>
        <translation>หน้าคู่</translation>
    </message>
    <message>
        <source>&amp;Options &gt;&gt;</source>
        <translation>ตัวเลือก &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>พิมพ์</translation>
    </message>
    <message>
        <source>&amp;Options &lt;&lt;</source>
        <translation>ตัวเลือก &lt;&lt;</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>ระบุหน้าไม่ถูกต้อง</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 เขียนไม่ถูกรูปแบบ กรุณาใช้ &apos;,&apos; คั่นหน้าและช่วงหน้า ใช้ &apos;-&apos; กำหนดช่วงหน้า และอย่าให้ช่วงหน้าซ้อนทับกัน</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>การตั้งค่าพิมพ์สองด้านขัดกัน</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>การตั้งค่าพิมพ์สองด้านขัดกัน ต้องการแก้ไขหรือไม่</translation>
    </message>
    <message>
        <source>Print to File (PDF)</source>
        <translation>พิมพ์ลงแฟ้ม (PDF)</translation>
    </message>
    <message>
        <source>Local file</source>
        <translation>แฟ้มในเครื่อง</translation>
    </message>
    <message>
        <source>Write PDF file</source>
        <translation>เขียนเป็นแฟ้ม PDF</translation>
    </message>
    <message>
        <source>Print To File ...</source>
        <translation>พิมพ์ลงแฟ้ม...</translation>
    </message>
    <message>
        <source>%1 is a directory.
Please choose a different file name.</source>
        <translation>%1 เป็นโฟลเดอร์
กรุณาเลือกชื่อแฟ้มอื่น</translation>
    </message>
    <message>
        <source>File %1 is not writable.
Please choose a different file name.</source>
        <translation>เขียนแฟ้ม %1 ไม่ได้
กรุณาเลือกชื่อแฟ้มอื่น</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to overwrite it?</source>
        <translation>มี %1 อยู่แล้ว
ต้องการเขียนทับหรือไม่</translation>
    </message>
    <message>
        <source>Options &apos;Pages Per Sheet&apos; and &apos;Page Set&apos; cannot be used together.
Please turn one of those options off.</source>
        <translation>ใช้ตัวเลือก &apos;จำนวนหน้าต่อแผ่น&apos; กับ &apos;ชุดหน้า&apos; พร้อมกันไม่ได้
กรุณาปิดตัวเลือกใดตัวเลือกหนึ่ง</translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Page Setup</source>
        <translation>ตั้งค่าหน้ากระดาษ</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>คุณสมบัติเครื่องพิมพ์</translation>
    </message>
    <message>
        <source>Job Options</source>
        <translation>ตัวเลือกงานพิมพ์</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>การตั้งค่าหน้ากระดาษขัดกัน</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>ตัวเลือกการตั้งค่าหน้ากระดาษขัดกัน ต้องการแก้ไขหรือไม่</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>ตัวเลือกขั้นสูงขัดกัน</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>ตัวเลือกขั้นสูงบางตัวขัดกัน ต้องการแก้ไขหรือไม่</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Form</source>
        <translation>ฟอร์ม</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>หน้ากระดาษ</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>ขั้นสูง</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>ตัวเลือกบางตัวขัดกัน กรุณาแก้ไข</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Form</source>
        <translation>ฟอร์ม</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>จำนวนชุด</translation>
    </message>
    <message>
        <source>Print range</source>
        <translation>ช่วงที่พิมพ์</translation>
    </message>
    <message>
        <source>Print all</source>
        <translation>พิมพ์ทั้งหมด</translation>
    </message>
    <message>
        <source>Pages from</source>
        <translation>หน้าที่</translation>
    </message>
    <message>
        <source>to</source>
        <translation>ถึง</translation>
    </message>
    <message>
        <source>Current Page</source>
        <translation>หน้าปัจจุบัน</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>ส่วนที่เลือก</translation>
    </message>
    <message>
        <source>Output Settings</source>
        <translation>การตั้งค่าการพิมพ์</translation>
    </message>
    <message>
        <source>Copies:</source>
        <translation>จำนวนชุด:</translation>
    </message>
    <message>
        <source>Collate</source>
        <translation>เรียงชุด</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>พิมพ์จากหน้าท้าย</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>ตัวเลือก</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>โหมดสี</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>สี</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>ระดับสีเทา</translation>
    </message>
    <message>
        <source>Page Set:</source>
        <translation>ชุดหน้า:</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>หน้า</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>ระบุหน้าหรือช่วงหน้าคั่นด้วยจุลภาค ช่วงหน้าเขียนเป็นเลขสองตัวคั่นด้วยยัติภังค์ เช่น 3,5-7,9 พิมพ์หน้า 3, 5, 6, 7 และ 9</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>พิมพ์สองด้าน</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>เย็บเล่มด้านยาว</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>เย็บเล่มด้านสั้น</translation>
    </message>
</context>
<context>
    <name>QPrintWidget</name>
    <message>
        <source>Form</source>
        <translation>ฟอร์ม</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>เครื่องพิมพ์</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>ชื่อ:</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>คุณสมบัติ</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>ที่ตั้ง:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>ตัวอย่างก่อนพิมพ์</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>ชนิด:</translation>
    </message>
    <message>
        <source>Output &amp;file:</source>
        <translation>แฟ้มที่พิมพ์ลง:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
</context>
<context>
    <name>QScrollBar</name>
    <message>
        <source>Scroll here</source>
        <translation>เลื่อนมาที่นี่</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>ขอบซ้าย</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>บนสุด</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>ขอบขวา</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>ล่างสุด</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>ซ้ายหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>ขึ้นหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>ขวาหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>ลงหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>เลื่อนไปทางซ้าย</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>เลื่อนขึ้น</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>เลื่อนไปทางขวา</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>เลื่อนลง</translation>
    </message>
</context>
<context>
    <name>QTabBar</name>
    <message>
        <source>Scroll Left</source>
        <translation>เลื่อนไปทางซ้าย</translation>
    </message>
    <message>
        <source>Scroll Right</source>
        <translation>เลื่อนไปทางขวา</translation>
    </message>
</context>
<context>
    <name>QUnicodeControlCharacterMenu</name>
    <message>
        <source>LRM Left-to-right mark</source>
        <translation>LRM เครื่องหมายซ้ายไปขวา</translation>
    </message>
    <message>
        <source>RLM Right-to-left mark</source>
        <translation>RLM เครื่องหมายขวาไปซ้าย</translation>
    </message>
    <message>
        <source>ZWJ Zero width joiner</source>
        <translation>ZWJ ตัวเชื่อมไร้ความกว้าง</translation>
    </message>
    <message>
        <source>ZWNJ Zero width non-joiner</source>
        <translation>ZWNJ ตัวกันเชื่อมไร้ความกว้าง</translation>
    </message>
    <message>
        <source>ZWSP Zero width space</source>
        <translation>ZWSP ช่องว่างไร้ความกว้าง</translation>
    </message>
    <message>
        <source>LRE Start of left-to-right embedding</source>
        <translation>LRE เริ่มข้อความฝังซ้ายไปขวา</translation>
    </message>
    <message>
        <source>RLE Start of right-to-left embedding</source>
        <translation>RLE เริ่มข้อความฝังขวาไปซ้าย</translation>
    </message>
    <message>
        <source>LRO Start of left-to-right override</source>
        <translation>LRO เริ่มบังคับซ้ายไปขวา</translation>
    </message>
    <message>
        <source>RLO Start of right-to-left override</source>
        <translation>RLO เริ่มบังคับขวาไปซ้าย</translation>
    </message>
    <message>
        <source>PDF Pop directional formatting</source>
        <translation>PDF จบการจัดทิศทาง</translation>
    </message>
    <message>
        <source>LRI Left-to-right isolate</source>
        <translation>LRI แยกทิศทางซ้ายไปขวา</translation>
    </message>
    <message>
        <source>RLI Right-to-left isolate</source>
        <translation>RLI แยกทิศทางขวาไปซ้าย</translation>
    </message>
    <message>
        <source>FSI First strong isolate</source>
        <translation>FSI แยกทิศทางตามอักษรแรก</translation>
    </message>
    <message>
        <source>PDI Pop directional isolate</source>
        <translation>PDI จบการแยกทิศทาง</translation>
    </message>
    <message>
        <source>Insert Unicode control character</source>
        <translation>แทรกอักขระควบคุมยูนิโคด</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>เลิกทำ</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำซ้ำ</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>ตัด</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>คัดลอกที่อยู่ลิงก์</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>วาง</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
</TS>
