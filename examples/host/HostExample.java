import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.PrinterObserver;
import java.awt.image.BufferedImage;
import java.io.ByteArrayOutputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import javax.imageio.ImageIO;

/**
 * A host's view of the library: a PNG picture printed once to a simulated printer and once to a
 * print file, both turned back into preview pictures.
 *
 * <p>Arguments: PICTURE.png OUTPUT_DIR. System properties: lumeko.library (the library's path)
 * and lumeko.streamPicture (the program that turns a job stream into page pictures).
 */
public final class HostExample {
    static final int MODEL = 24;
    static final int PORT_USB = 1;

    /** A ready printer on the USB port that keeps every byte it is sent. */
    static final class SimulatedPrinter extends PrinterObserver {
        final ByteArrayOutputStream received = new ByteArrayOutputStream();

        @Override
        public boolean sendDataToPrinter(int length, byte[] data) {
            received.write(data, 0, length);
            return true;
        }

        @Override
        public boolean sendAsynchronousDataToPrinter(int length, byte[] data) {
            return sendDataToPrinter(length, data);
        }

        @Override
        public boolean sendDataReceiveDataToPrinter(int length, byte[] data, int replyLength) {
            received.write(data, 0, length);
            receive_data = new byte[replyLength];
            return true;
        }

        @Override
        public int receiveDataToPrinter(int length, boolean flag) {
            receive_data = new byte[length];
            return 0;
        }

        @Override
        public boolean sendStringToPrinter(String text) {
            return true;
        }

        @Override
        public boolean sendStringReceiveDataToPrinter(String request, int replyLength) {
            return false;
        }

        @Override
        public boolean sendStringReceiveStringToPrinter(String request) {
            return false;
        }

        @Override
        public boolean isAliveSendAsynchronous() {
            return false;
        }

        @Override
        public boolean resetPrinterResultErrorCodeIfCommunicationError() {
            return true;
        }

        @Override
        public boolean sendMessage(int code) {
            return true;
        }
    }

    public static void main(String[] args) throws Exception {
        Path picture = Paths.get(args.length > 0 ? args[0] : "examples/host/picture.png");
        Path out = Paths.get(args.length > 1 ? args[1] : "host-example");
        Files.createDirectories(out);
        JNIWrapper lumeko = new JNIWrapper();

        // The picture's pixels, as 0xAARRGGBB ints, into a pixel file.
        BufferedImage image = ImageIO.read(picture.toFile());
        int width = image.getWidth();
        int height = image.getHeight();
        int[] argb = image.getRGB(0, 0, width, height, null, 0, width);
        Path pixels = out.resolve("picture.rgb");
        if (lumeko.writeByteInFile(argb, argb.length, pixels.toString(), false) != 1) {
            throw new IllegalStateException("cannot write " + pixels);
        }
        BitmapInfo bitmap = new BitmapInfo(pixels.toString(), width, height);

        // Model, port and options: the widest tape, the picture fitted to its printable area.
        PrintSettings settings = new PrintSettings();
        settings.modelId = MODEL;
        settings.portId = PORT_USB;
        lumeko.initJNI(settings);
        settings.paperId = widestPaper(lumeko.getPaperList());
        settings.printMode = 2;
        settings.skipStatusCheck = true;
        settings.checkPrintEnd = 1;
        settings.closeWaitDisusingStatusCheckSec = 0;
        lumeko.initJNI(settings);

        SimulatedPrinter printer = new SimulatedPrinter();
        JNIStatus printed = lumeko.printBitmapJNI(bitmap, printer);
        Path sent = out.resolve("sent.bin");
        Files.write(sent, printer.received.toByteArray());

        Path prn = out.resolve("job.prn");
        settings.savePrnPath = prn.toString();
        lumeko.initJNI(settings);
        JNIStatus saved = lumeko.printBitmapJNI(bitmap, new SimulatedPrinter());

        Path sentPreview = preview(sent, settings.paperId, out.resolve("printer-preview"));
        Path filePreview = preview(prn, settings.paperId, out.resolve("file-preview"));

        System.out.println("printer status code: " + printed.errorCode);
        System.out.println("print file status code: " + saved.errorCode);
        System.out.println("print file: " + prn);
        System.out.println("preview of the page the printer received: " + sentPreview);
        System.out.println("preview of the print file: " + filePreview);
        System.out.println("previews identical: " + (Files.mismatch(sentPreview, filePreview) < 0));
    }

    /** The id of the paper with the widest printable area. */
    static int widestPaper(Paper[] papers) {
        Paper widest = papers[0];
        for (Paper p : papers) {
            if (p.printableWidthDots > widest.printableWidthDots) {
                widest = p;
            }
        }
        return widest.paperId;
    }

    /** The first page of a job stream as a PNG picture, one pixel per dot. */
    static Path preview(Path stream, int paperId, Path prefix) throws Exception {
        ProcessBuilder pb = new ProcessBuilder(System.getProperty("lumeko.streamPicture"),
                "" + MODEL, "" + paperId, stream.toString(), prefix.toString());
        pb.environment().remove("LD_PRELOAD");
        // Its line per page (dot counts) is for the tests; its errors are shown.
        pb.redirectOutput(ProcessBuilder.Redirect.DISCARD);
        pb.redirectError(ProcessBuilder.Redirect.INHERIT);
        if (pb.start().waitFor() != 0) {
            throw new IllegalStateException("cannot decode " + stream);
        }
        Path page = Paths.get(prefix + "-0.png");
        Path png = Paths.get(prefix + ".png");
        Files.move(page, png, StandardCopyOption.REPLACE_EXISTING);
        return png;
    }
}
